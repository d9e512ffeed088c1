#include "pio/directives.h"

#include <cstdint>
#include <optional>

#include "base/logs.h"
#include "pio/config_directives.h"
#include "pio/decoder.h"
#include "pio/field_directives.h"
#include "pio/pio_line.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kChipInvalid = u".chip Invalid Value ";
constexpr std::u16string_view kSmRange = u".sm has range 0-3 Invalid value ";
constexpr std::u16string_view kOriginRange = u".origin has range 0-31 Invalid value ";
constexpr std::u16string_view kWrapTooHigh = u".wrap resolves to > 31";
constexpr std::u16string_view kWrapTooLow = u".wrap before any instruction";
constexpr std::u16string_view kWrapTargetTooHigh = u".wrap_target resolves to > 31";
constexpr std::u16string_view kSideSetRange = u".side_set has range 0-5 Invalid value ";
constexpr std::u16string_view kSideSetOpt = u".SIDE_SET x opt  must be at least 2 when OPT is used";
constexpr std::u16string_view kUnknownDirective = u"unknown directive";
constexpr std::u16string_view kSideSetFileRange = u".side_set takes 0 to 5 side-set bits";
constexpr std::u16string_view kSideSetOptionalRange =
    u".side_set takes 0 to 4 side-set bits when optional";

std::optional<int32_t> directiveValue(PioLine& line) { return readValue(line, line.valueWord()); }

// A directive that adds to a field which cannot hold the sum: the image stays
// as it was.
LineResult fieldOverflow(PioLine& line, std::u16string_view name, Field field, int64_t held,
                         int64_t added) {
  const Chip chip = line.pio.registers().chip;
  line.fail(ErrorKind::dir,
            std::u16string(name) + u" adds up to " +
                text::decimal(fieldValue(held, field, chip) + added),
            u"0-" + text::decimal(fieldMax(field, chip)));
  return Outcome::noWord;
}

// The first reading logs the lines that place code, as the run log shows them.
void logPlacement(PioLine& line) {
  if (line.firstReading()) line.ctx.logs.logLine(normalisePioLine(preparePioLine(line.rest())));
}

LineResult programDirective(PioLine& line) {
  logPlacement(line);
  line.pio.symbols.programName = programNameOf(preparePioLine(line.rest()));
  line.report(u"\r\n'" + std::u16string(32, u'-') + u"Start of PIO Source Code " +
              std::u16string(45, u'-'));
  return Outcome::directive;
}

// ".pio" and ".sm": a value out of range changes nothing.
LineResult selectDirective(PioLine& line, std::optional<int32_t> value, int count,
                           std::u16string_view rangeMessage, std::u16string_view logPrefix,
                           int& selected) {
  if (!value) return Outcome::noWord;
  if (*value < 0 || *value >= count) {
    line.fail(ErrorKind::gen, rangeMessage, text::decimal(*value));
    return Outcome::noWord;
  }
  logPlacement(line);
  if (line.firstReading()) line.ctx.logs.logLine(std::u16string(logPrefix) + text::decimal(*value));
  selected = *value;
  return Outcome::directive;
}

// The third block is the RP2350's.
LineResult pioDirective(PioLine& line) {
  const Chip chip = line.chip();
  std::optional<int32_t> value = directiveValue(line);
  if (chip == Chip::rp2040 && value == 2) {
    line.fail(ErrorKind::gen, kThirdPioBlock, u"2");
    return Outcome::noWord;
  }
  LineResult result =
      selectDirective(line, value, pioBlocksOf(chip),
                      chip == Chip::rp2350 ? kPioRangeRp2350 : kPioRange, u"PIO=",
                      line.pio.placement.currentPio);
  if (result == Outcome::directive) line.pio.programCounter() = 0;
  return result;
}

LineResult smDirective(PioLine& line) {
  LineResult result = selectDirective(line, directiveValue(line), kStateMachineCount, kSmRange,
                                      u"SM=", line.pio.placement.currentSm);
  if (result == Outcome::directive) {
    line.pio.start().nostart = false;
    line.pio.origin() = 0;
  }
  return result;
}

LineResult originDirective(PioLine& line) {
  std::optional<int32_t> origin = directiveValue(line);
  if (!origin) return Outcome::noWord;
  if (*origin < 0 || *origin > kLastAddress) {
    line.fail(ErrorKind::gen, kOriginRange, text::decimal(*origin));
    return Outcome::noWord;
  }
  logPlacement(line);
  line.pio.origin() = *origin;
  line.pio.programCounter() = *origin;
  return Outcome::directive;
}

// The value is read where the define is used, so it is kept as written. A
// .pio file's defines belong to its program, which holds them already.
LineResult defineDirective(PioLine& line) {
  if (line.fileRules()) return Outcome::directive;
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
  return Outcome::directive;
}

LineResult decodeDirective(PioLine& line) {
  // Set in both readings, so neither gives the block's instructions a slot.
  line.pio.decoding = true;
  if (line.firstReading()) return Outcome::nothing;
  std::optional<int32_t> value = directiveValue(line);
  if (!value) return Outcome::noWord;
  DecodeListing& decode = line.pio.decodeListing;
  if (!decode.headerWritten) {
    decode.headerWritten = true;
    decode.address = line.pio.origin();
    line.report(u"\r\n'" + std::u16string(76, u'-'));
    line.report(u"'                 Decoded Instructions ");
    line.report(u"'" + std::u16string(76, u'-'));
  }
  std::u16string decoded = decodeForCurrentMachine(line.ctx, static_cast<uint16_t>(*value));
  decoded.resize(30, u' ');
  std::u16string address = text::hex(static_cast<uint32_t>(decode.address));
  std::u16string comment(splitComment(line.original()).comment);
  line.report(decoded + text::normaliseBlanks(u" '&h" + address + u" " + comment));
  ++decode.address;
  return Outcome::nothing;
}

LineResult wrapTargetDirective(PioLine& line) {
  int32_t address = line.pio.programCounter();
  line.ctx.logs.logLine(u".wrap_target " + text::decimal(address));
  if (address > kLastAddress) {
    line.fail(ErrorKind::gen, kWrapTargetTooHigh, text::decimal(address));
    return Outcome::noWord;
  }
  RegisterImages& images = line.pio.registers();
  int64_t old = images.execctrl;
  // A block adds its wrap targets up, as it always has; a .pio file sets it.
  if (line.fileRules()) {
    if (programMaySet(line, Field::wrapBottom)) images.set({{Field::wrapBottom, address}});
  } else if (!images.add(Field::wrapBottom, address)) {
    return fieldOverflow(line, u".wrap_target", Field::wrapBottom, old, address);
  } else {
    noteBlockField(line.pio, Field::wrapBottom);
  }
  line.pio.use().wrapTargetWritten = true;
  showRegisterChange(line.ctx, RegisterKind::execctrl, old,
                     fieldLabel({Field::wrapBottom}, images.chip) + u" " + text::decimal(address),
                     line.original());
  return Outcome::listingComment;
}

LineResult wrapDirective(PioLine& line) {
  int32_t wrap = line.pio.programCounter() - 1;
  if (wrap < 0) {
    line.fail(ErrorKind::gen, kWrapTooLow, text::decimal(wrap));
    return Outcome::noWord;
  }
  if (wrap > kLastAddress) {
    line.fail(ErrorKind::gen, kWrapTooHigh, text::decimal(wrap));
    return Outcome::noWord;
  }
  RegisterImages& images = line.pio.registers();
  int64_t old = images.execctrl;
  if (programMaySet(line, Field::wrapTop)) images.set({{Field::wrapTop, wrap}});
  if (!line.fileRules()) noteBlockField(line.pio, Field::wrapTop);
  line.pio.use().wrapWritten = true;
  showRegisterChange(line.ctx, RegisterKind::execctrl, old,
                     fieldLabel({Field::wrapTop}, images.chip) + u" " + text::decimal(wrap),
                     line.original());
  return Outcome::listingComment;
}

// A frequency is unsigned 32-bit: a minus sign or a decimal number past
// 32 bits is refused rather than wrapped.
LineResult frequencyDirective(PioLine& line) {
  Word word = line.valueWord();
  std::optional<int32_t> frequency = readValue(line, word);
  if (!frequency) return Outcome::noWord;
  uint64_t value = static_cast<uint32_t>(*frequency);
  bool decimal = !word.text.empty() && !word.group;
  uint64_t literal = 0;
  for (char16_t c : word.text) {
    decimal = decimal && c >= u'0' && c <= u'9';
    if (decimal && literal <= UINT32_MAX) literal = literal * 10 + (c - u'0');
  }
  if (decimal) value = literal;
  if (word.text.starts_with(u'-') || value > UINT32_MAX) {
    line.fail(ErrorKind::dir, u".frequency Invalid Value " + word.text, u"0-4294967295");
    return Outcome::noWord;
  }
  line.pio.start().frequency = static_cast<uint32_t>(value);
  line.pio.use().frequencyWritten = true;
  return Outcome::directive;
}

// ".side_set N [optional] [pindirs]" of a .pio file: N value bits, the
// enable bit added when optional; every field set outright.
LineResult fileSideSetDirective(PioLine& line) {
  std::optional<int32_t> count = readValue(line, line.valueWord());
  if (!count) return Outcome::noWord;
  const bool optional = line.peekKeyword() == u"optional";
  if (optional) line.keyword();
  const bool pindirs = line.peekKeyword() == u"pindirs";
  const int64_t bits = int64_t{*count} + (optional ? 1 : 0);
  if (*count < 0 || bits > 5) {
    line.fail(ErrorKind::gen, optional ? kSideSetOptionalRange : kSideSetFileRange,
              text::decimal(*count));
    return Outcome::noWord;
  }
  if (programMaySet(line, Field::sidesetCount)) line.pio.block.pins.sideset.count = *count;
  LineResult result = setFieldsShown(line, {{Field::sidesetCount, bits}});
  LineResult enable = setFieldsShown(line, {{Field::sideEn, optional}, {Field::sidePindir, pindirs}});
  return result == Outcome::noWord ? result : enable;
}

// ".side_set N [opt|optional] [pindirs]". "opt" counts the enable bit in N;
// "optional" adds it to N.
LineResult sideSetDirective(PioLine& line) {
  if (line.fileRules()) return fileSideSetDirective(line);
  Word countWord = line.valueWord();
  std::optional<int32_t> count = readValue(line, countWord);
  if (!count) return Outcome::noWord;
  std::u16string word = line.keyword();
  bool opt = word == u"opt";
  bool optional = word == u"optional";
  if (opt || optional) word = line.keyword();
  int64_t bits = int64_t{*count} + (optional ? 1 : 0);
  if (bits < 0 || bits > 5) {
    line.fail(ErrorKind::gen, kSideSetRange, countWord.text);
    return Outcome::noWord;
  }
  // The pins count as written; an instruction recounts them from the images.
  line.pio.block.pins.sideset.count = *count;
  RegisterImages& images = line.pio.registers();
  int64_t old = images.pinctrl;
  if (!images.add(Field::sidesetCount, bits)) {
    return fieldOverflow(line, u".side_set", Field::sidesetCount, old, bits);
  }
  for (Field field : {Field::sidesetCount, Field::sideEn, Field::sidePindir}) {
    noteBlockField(line.pio, field);
  }
  LineResult result = showRegisterChange(line.ctx, RegisterKind::pinctrl, old,
                                         fieldRange(Field::sidesetCount, images.chip), line.original());
  if (opt || optional) {
    images.add(Field::sideEn, 1);
    if (opt && *count < 2) line.fail(ErrorKind::side, kSideSetOpt, text::decimal(*count));
  }
  if (word == u"pindirs") {
    old = images.execctrl;
    images.add(Field::sidePindir, 1);
    result = showRegisterChange(line.ctx, RegisterKind::execctrl, old,
                                fieldLabel({Field::sidePindir}, images.chip), line.original());
  }
  return result;
}

// ".chip rp2040|rp2350": the first reading records it for the block, whose
// fields the second then lays out for that chip.
LineResult chipDirective(PioLine& line) {
  std::u16string name = line.keyword();
  std::optional<Chip> chip = chipNamed(name);
  if (!chip) {
    line.fail(ErrorKind::dir, std::u16string(kChipInvalid) + name, u"rp2040, rp2350");
    return Outcome::noWord;
  }
  if (line.firstReading()) line.pio.symbols.blockChips[line.pio.placement.blockNumber].named = *chip;
  return Outcome::directive;
}

LineResult nostartDirective(PioLine& line) {
  line.pio.start().nostart = true;
  return Outcome::noWord;
}

LineResult acceptedDirective(PioLine&) { return Outcome::directive; }

struct Directive {
  std::u16string_view name;
  LineResult (*apply)(PioLine&);
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
    {u".chip", chipDirective, true},
    {u".pio_version", pioVersionDirective, true},
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

LineResult applyDirective(PioLine& line, std::u16string_view name) {
  for (const Directive& directive : kDirectives) {
    if (directive.name != name) continue;
    if (line.firstReading() && !directive.firstReading) return Outcome::directive;
    return directive.apply(line);
  }
  if (line.firstReading()) {
    notePinDirective(line, name);
    return Outcome::directive;
  }
  if (std::optional<LineResult> result = applyFieldDirective(line, name)) return *result;
  line.fail(ErrorKind::gen, kUnknownDirective, name);
  return Outcome::noWord;
}

}  // namespace pio
