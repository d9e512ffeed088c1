#include "pio/directives.h"

#include <optional>

#include "base/logs.h"
#include "pio/config_directives.h"
#include "pio/decoder.h"
#include "pio/line_pass.h"
#include "pio/pio_line.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kPioRange = u".pio has range 0-1 Invalid value ";
constexpr std::u16string_view kSmRange = u".sm has range 0-3 Invalid value ";
constexpr std::u16string_view kOriginRange = u".origin has range 0-31 Invalid value ";
constexpr std::u16string_view kWrapTooHigh = u".wrap resolves to > 31";
constexpr std::u16string_view kWrapTooLow = u".wrap before any instruction";
constexpr std::u16string_view kWrapTargetTooHigh = u".wrap_target resolves to > 31";
constexpr std::u16string_view kSideSetRange = u".side_set has range 0-5 Invalid value ";
constexpr std::u16string_view kSideSetOpt = u".SIDE_SET x opt  must be at least 2 when OPT is used";
constexpr std::u16string_view kUnknownDirective = u"unknown directive";

std::optional<int32_t> directiveValue(PioLine& line) { return readValue(line, line.valueWord()); }

// The first reading logs the lines that place code, as the run log shows them.
void logPlacement(PioLine& line) {
  if (line.firstReading()) line.ctx.logs.logLine(normalisePioLine(preparePioLine(line.rest())));
}

int programDirective(PioLine& line) {
  logPlacement(line);
  line.pio.programName = programNameOf(preparePioLine(line.rest()));
  line.report(u"\r\n'" + std::u16string(32, u'-') + u"Start of PIO Source Code " +
              std::u16string(45, u'-'));
  return kResultDirective;
}

// ".pio" and ".sm": a value out of range changes nothing.
int selectDirective(PioLine& line, int count, std::u16string_view rangeMessage,
                    std::u16string_view logPrefix, int& selected) {
  std::optional<int32_t> value = directiveValue(line);
  if (!value) return kResultNoWord;
  if (*value < 0 || *value >= count) {
    line.fail(ErrorKind::gen, rangeMessage, text::decimal(*value));
    return kResultNoWord;
  }
  logPlacement(line);
  if (line.firstReading()) line.ctx.logs.logLine(std::u16string(logPrefix) + text::decimal(*value));
  selected = *value;
  return kResultDirective;
}

int pioDirective(PioLine& line) {
  int result = selectDirective(line, kPioBlockCount, kPioRange, u"PIO=", line.pio.currentPio);
  if (result == kResultDirective) line.pio.programCounter[line.pio.currentPio] = 0;
  return result;
}

int smDirective(PioLine& line) {
  int result = selectDirective(line, kStateMachineCount, kSmRange, u"SM=", line.pio.currentSm);
  if (result == kResultDirective) {
    line.pio.config().nostart = false;
    line.pio.config().origin = 0;
  }
  return result;
}

int originDirective(PioLine& line) {
  std::optional<int32_t> origin = directiveValue(line);
  if (!origin) return kResultNoWord;
  if (*origin < 0 || *origin > kLastAddress) {
    line.fail(ErrorKind::gen, kOriginRange, text::decimal(*origin));
    return kResultNoWord;
  }
  logPlacement(line);
  line.pio.config().origin = *origin;
  line.pio.programCounter[line.pio.currentPio] = *origin;
  return kResultDirective;
}

// The value is read where the define is used, so it is kept as written.
int defineDirective(PioLine& line) {
  auto nameWord = [&line] {
    while (line.peekWord() != nullptr && line.peekWord()->group) line.skipWord();
    const Word* word = line.peekWord();
    std::u16string text = word != nullptr ? word->text : std::u16string();
    line.skipWord();
    return text;
  };
  std::u16string name = nameWord();
  if (name == u"public") name = nameWord();
  if (name.starts_with(u'*')) name.erase(0, 1);
  std::u16string value = line.restText();
  if (line.firstReading()) {
    logPlacement(line);
    line.ctx.logs.logLine(name + u" " + value);
  }
  recordDefine(line.pio, name, value);
  return kResultDirective;
}

int decodeDirective(PioLine& line) {
  PioAssembler& pio = line.pio;
  // Set in both readings, so neither gives the block's instructions a slot.
  pio.decodeMode = true;
  if (line.firstReading()) return kResultNothing;
  std::optional<int32_t> value = directiveValue(line);
  if (!value) return kResultNoWord;
  if (!pio.decodeHeaderWritten) {
    pio.decodeHeaderWritten = true;
    pio.decodeAddress = pio.config().origin;
    line.report(u"\r\n'" + std::u16string(76, u'-'));
    line.report(u"'                 Decoded Instructions ");
    line.report(u"'" + std::u16string(76, u'-'));
  }
  std::u16string decoded = decodeForCurrentMachine(line.ctx, static_cast<uint16_t>(*value));
  decoded.resize(30, u' ');
  std::u16string address = text::hex(static_cast<uint32_t>(pio.decodeAddress));
  std::u16string comment(splitComment(line.original()).comment);
  line.report(decoded + text::normaliseBlanks(u" '&h" + address + u" " + comment));
  ++pio.decodeAddress;
  return kResultNothing;
}

int wrapTargetDirective(PioLine& line) {
  int32_t address = line.pio.programCounter[line.pio.currentPio];
  line.ctx.logs.logLine(u".wrap_target " + text::decimal(address));
  if (address > kLastAddress) {
    line.fail(ErrorKind::gen, kWrapTargetTooHigh, text::decimal(address));
    return kResultNoWord;
  }
  int64_t old = line.pio.config().execctrl;
  addToImage(line.pio.config().execctrl, address, 7);
  line.pio.use().wrapTargetWritten = true;
  showRegisterChange(line.ctx, RegisterKind::execctrl, old,
                     u"11-7 wrap target " + text::decimal(address), line.original());
  return kResultListingComment;
}

int wrapDirective(PioLine& line) {
  int32_t wrap = line.pio.programCounter[line.pio.currentPio] - 1;
  if (wrap < 0) {
    line.fail(ErrorKind::gen, kWrapTooLow, text::decimal(wrap));
    return kResultNoWord;
  }
  StateMachineConfig& config = line.pio.config();
  int64_t old = config.execctrl;
  config.execctrl &= ~int64_t{0x1F000};
  addToImage(config.execctrl, wrap, 12);
  line.pio.use().wrapWritten = true;
  showRegisterChange(line.ctx, RegisterKind::execctrl, old, u"16-12 wrap " + text::decimal(wrap),
                     line.original());
  if (wrap > kLastAddress) {
    line.fail(ErrorKind::gen, kWrapTooHigh, text::decimal(wrap));
    return kResultNoWord;
  }
  return kResultListingComment;
}

int frequencyDirective(PioLine& line) {
  std::optional<int32_t> frequency = directiveValue(line);
  if (!frequency) return kResultNoWord;
  line.pio.config().frequency = *frequency;
  return kResultDirective;
}

// ".side_set N [opt|optional] [pindirs]". "opt" counts the enable bit in N;
// "optional" adds it to N.
int sideSetDirective(PioLine& line) {
  Word countWord = line.valueWord();
  std::optional<int32_t> count = readValue(line, countWord);
  if (!count) return kResultNoWord;
  std::u16string word = line.keyword();
  bool opt = word == u"opt";
  bool optional = word == u"optional";
  if (opt || optional) word = line.keyword();
  int64_t bits = int64_t{*count} + (optional ? 1 : 0);
  if (bits < 0 || bits > 5) {
    line.fail(ErrorKind::gen, kSideSetRange, countWord.text);
    return kResultNoWord;
  }
  line.pio.pins.sideset.count = *count;
  StateMachineConfig& config = line.pio.config();
  int64_t old = config.pinctrl;
  addToImage(config.pinctrl, bits, 29);
  int result = showRegisterChange(line.ctx, RegisterKind::pinctrl, old, u"31:29", line.original());
  if (opt || optional) {
    addToImage(config.execctrl, 0x40000000, 0);
    if (opt && *count < 2) line.fail(ErrorKind::side, kSideSetOpt, text::decimal(*count));
  }
  if (word == u"pindirs") {
    old = config.execctrl;
    addToImage(config.execctrl, 0x20000000, 0);
    result = showRegisterChange(line.ctx, RegisterKind::execctrl, old, u"29 PINDIRS", line.original());
  }
  return result;
}

int nostartDirective(PioLine& line) {
  line.pio.config().nostart = true;
  return kResultNoWord;
}

int acceptedDirective(PioLine&) { return kResultDirective; }

struct Directive {
  std::u16string_view name;
  int (*apply)(PioLine&);
  /// Also applied in the first reading, because it places code or names.
  bool firstReading = false;
};

constexpr Directive kDirectives[] = {
    {u".program", programDirective, true},
    {u".pio", pioDirective, true},
    {u".sm", smDirective, true},
    {u".origin", originDirective, true},
    {u".define", defineDirective, true},
    {u".decode", decodeDirective, true},
    {u".wrap_target", wrapTargetDirective},
    {u".wrap", wrapDirective},
    {u".frequency", frequencyDirective},
    {u".side_set", sideSetDirective},
    {u".nostart", nostartDirective},
    {u".fifo", fifoDirective},
    {u".in", inDirective},
    {u".out", outDirective},
    {u".set", setDirective},
    {u".mov_status", movStatusDirective},
    {u".pio_version", pioVersionDirective},
    {u".lang_opt", acceptedDirective},
    {u".clock_div", clockDivDirective},
};

}  // namespace

std::u16string programNameOf(std::u16string_view rest) {
  std::u16string_view body = text::trimLeadingBlanks(rest);
  size_t keyword = text::findNoCase(body, u".program");
  body = keyword == std::u16string_view::npos ? std::u16string_view() : body.substr(keyword + 8);
  std::u16string_view name = text::trimBlanks(body);
  for (std::u16string_view mark : {u"'", u";", u"//"}) name = name.substr(0, name.find(mark));
  return std::u16string(name);
}

int applyDirective(PioLine& line, std::u16string_view name) {
  for (const Directive& directive : kDirectives) {
    if (directive.name != name) continue;
    if (line.firstReading() && !directive.firstReading) return kResultDirective;
    return directive.apply(line);
  }
  if (line.firstReading()) return kResultDirective;
  if (std::optional<int> result = applyRegisterField(line, name)) return *result;
  // Decoding passes over every line it cannot use.
  if (line.pio.decodeMode) return kResultNoWord;
  line.fail(ErrorKind::gen, kUnknownDirective, name);
  return kResultNoWord;
}

}  // namespace pio
