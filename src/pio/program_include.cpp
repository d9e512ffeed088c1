#include "pio/program_include.h"

#include <algorithm>

#include "pio/pio_assembler.h"
#include "pio/pio_file.h"
#include "pio/register_fields.h"
#include "text/case_table.h"

namespace pio {

namespace {

using enum Field;

// What the SDK's default configuration gives the fields a program's
// configuration decides; the wrap points come from the program's place.
constexpr FieldValue kProgramDefaults[] = {
    {sidesetCount, 0}, {sideEn, 0},      {sidePindir, 0},  {setCount, 0},    {outCount, 0},
    {statusSel, 0},    {statusN, 0},     {fjoinRx, 0},     {fjoinTx, 0},     {pullThresh, 0},
    {pushThresh, 0},   {outShiftdir, 1}, {inShiftdir, 1},  {autopull, 0},    {autopush, 0},
    {fjoinRxPut, 0},   {fjoinRxGet, 0},  {inCount, 0},
};

// The full clock, in 1/256 steps of the divider.
constexpr uint32_t kFullClock = 256;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

size_t skipBlanks(std::u16string_view s, size_t at) {
  while (at < s.size() && isBlank(s[at])) ++at;
  return at;
}

size_t wordEnd(std::u16string_view s, size_t at) {
  while (at < s.size() && !isBlank(s[at])) ++at;
  return at;
}

bool startsComment(std::u16string_view rest) {
  return rest.empty() || rest.starts_with(u'\'') || rest.starts_with(u';') || rest.starts_with(u"//");
}

}  // namespace

std::optional<int32_t> programOrigin(const PioFile& file, size_t program) {
  const std::optional<size_t> line = file.programs()[program].originLine;
  if (!line) return std::nullopt;
  const std::vector<Word>& words = file.lines()[*line].read.source.words;
  if (words.size() < 2 || !words[1].group) return std::nullopt;
  std::u16string_view expression = words[1].text;
  std::optional<int32_t> origin =
      file.evaluate(program, expression.substr(1, expression.size() - 2));
  if (!origin || *origin < 0 || *origin > kLastAddress) return std::nullopt;
  return origin;
}

std::optional<IncludeRequest> includeRequestOf(std::u16string_view code) {
  size_t at = skipBlanks(code, 0);
  size_t end = wordEnd(code, at);
  if (!text::equalsNoCase(code.substr(at, end - at), u".include")) return std::nullopt;
  IncludeRequest request;
  at = skipBlanks(code, end);
  if (at < code.size() && code[at] == u'"') {
    end = code.find(u'"', at + 1);
    if (end == std::u16string_view::npos) return IncludeRequest{};
    request.file = code.substr(at + 1, end - at - 1);
    ++end;
  } else {
    end = wordEnd(code, at);
    request.file = code.substr(at, end - at);
  }
  at = skipBlanks(code, end);
  if (!startsComment(code.substr(at))) {
    end = wordEnd(code, at);
    request.program = code.substr(at, end - at);
    at = skipBlanks(code, end);
  }
  if (!startsComment(code.substr(at))) return IncludeRequest{};
  return request;
}

std::optional<size_t> chooseProgram(const PioFile& file, std::u16string_view name,
                                    std::u16string& message, std::u16string& detail) {
  const auto& programs = file.programs();
  if (!name.empty()) {
    if (std::optional<size_t> found = file.findProgram(name)) return found;
  } else if (programs.size() == 1) {
    return 0;
  }
  std::u16string names;
  for (const PioFileProgram& program : programs) names += (names.empty() ? u"" : u", ") + program.name;
  if (programs.empty()) {
    message = u"the .pio file holds no program";
    detail = file.path();
  } else if (name.empty()) {
    message = u"the .pio file holds several programs: name the one to include";
    detail = names;
  } else {
    message = u"the .pio file holds no program " + std::u16string(name);
    detail = names;
  }
  return std::nullopt;
}

void beginIncludedProgram(PioAssembler& pio, const PioFile& file, size_t index) {
  const PioFileProgram& program = file.programs()[index];
  int32_t start = pio.programCounter();
  if (std::optional<int32_t> origin = programOrigin(file, index)) {
    start = *origin;
    pio.origin() = *origin;
  }
  pio.programCounter() = start;
  pio.block.including = IncludedProgram{&file, index, start};
  RegisterImages& images = pio.registers();
  // A program past the memory is reported line by line; its wrap stays inside.
  const int32_t first = std::min(start, kLastAddress);
  const int32_t last = std::min(start + std::max(program.size - 1, 0), kLastAddress);
  for (FieldValue value : kProgramDefaults) {
    if (!blockSetField(pio, value.field)) images.set({value});
  }
  if (!blockSetField(pio, wrapBottom)) images.set({{wrapBottom, first}});
  if (!blockSetField(pio, wrapTop)) images.set({{wrapTop, last}});
  PinGroups& pins = pio.block.pins;
  if (!blockSetField(pio, setCount)) pins.set.count = 0;
  if (!blockSetField(pio, outCount)) pins.out.count = 0;
  if (!blockSetField(pio, sidesetCount)) pins.sideset.count = 0;
  MachineUse& use = pio.use();
  use.wrapWritten = use.wrapTargetWritten = true;
  use.programDivider = kFullClock;
}

}  // namespace pio
