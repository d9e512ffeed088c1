#include "pio/directives.h"

#include <algorithm>
#include <string>

#include "pio/decoder.h"
#include "pio/guidance.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/second_pass.h"
#include "text/blanks.h"
#include "text/numbers.h"
#include "base/logs.h"

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

int programDirective(PioLine& line) {
  line.pio.programName = programNameOf(line.body());
  line.ctx.logs.pioErrorLine(u"\r\n'" + std::u16string(32, u'-') + u"Start of PIO Source Code " +
                             std::u16string(45, u'-'));
  return kResultDirective;
}

int pioDirective(PioLine& line) {
  int32_t value = readPlainNumber(line.valueWord());
  if (value < 0 || value >= kPioBlockCount) {
    line.fail(kKindGen, kPioRange, text::decimal(value));
    return kResultNoWord;
  }
  line.pio.currentPio = value;
  line.pio.programCounter[value] = 0;
  return kResultDirective;
}

int smDirective(PioLine& line) {
  int32_t value = readPlainNumber(line.valueWord());
  if (value < 0 || value >= kStateMachineCount) {
    line.fail(kKindGen, kSmRange, text::decimal(value));
    return kResultNoWord;
  }
  line.pio.currentSm = value;
  StateMachineConfig& config = line.pio.config();
  config.nostart = false;
  config.wrapTarget = 0;
  config.wrap = 0;
  config.origin = 0;
  return kResultDirective;
}

int originDirective(PioLine& line) {
  int32_t origin = parsePioNumber(line.valueWord());
  if (origin < 0 || origin > kLastAddress) {
    line.fail(kKindGen, kOriginRange, text::decimal(origin));
    return kResultNoWord;
  }
  line.pio.config().origin = origin;
  line.pio.programCounter[line.pio.currentPio] = origin;
  return kResultDirective;
}

int wrapTargetDirective(PioLine& line) {
  int32_t address = line.pio.programCounter[line.pio.currentPio];
  line.pio.config().wrapTarget = address;
  line.ctx.logs.logLine(u".wrap_target " + text::decimal(address));
  if (address > kLastAddress) {
    line.fail(kKindGen, kWrapTargetTooHigh, text::decimal(address));
    return kResultNoWord;
  }
  claimRegisters(line.pio);
  int64_t old = line.pio.config().execctrl;
  addToImage(line.pio.config().execctrl, address, 7);
  showRegisterChange(line.ctx, kExecctrl, old, u"11-7 wrap target " + text::decimal(address),
                     line.original());
  return kResultListingComment;
}

int wrapDirective(PioLine& line) {
  int32_t wrap = line.pio.programCounter[line.pio.currentPio] - 1;
  if (wrap < 0) {
    line.fail(kKindGen, kWrapTooLow, text::decimal(wrap));
    return kResultNoWord;
  }
  StateMachineConfig& config = line.pio.config();
  config.wrap = wrap;
  claimRegisters(line.pio);
  int64_t old = config.execctrl;
  config.execctrl &= ~int64_t{0x1F000};
  addToImage(config.execctrl, wrap, 12);
  showRegisterChange(line.ctx, kExecctrl, old, u"16-12 wrap " + text::decimal(wrap),
                     line.original());
  if (wrap > kLastAddress) {
    line.fail(kKindGen, kWrapTooHigh, text::decimal(wrap));
    return kResultNoWord;
  }
  return kResultListingComment;
}

int sideSetDirective(PioLine& line) {
  std::u16string countWord = line.next();
  int32_t count = parsePioNumber(countWord);
  line.pio.sidesetCount = count;
  if (count >= 6) line.fail(kKindGen, kSideSetRange, countWord);
  claimRegisters(line.pio);
  StateMachineConfig& config = line.pio.config();
  int64_t old = config.pinctrl;
  addToImage(config.pinctrl, count, 29);
  int result = showRegisterChange(line.ctx, kPinctrl, old, u"31:29", line.original());
  std::u16string word = line.next();
  if (word == u"opt") {
    addToImage(config.execctrl, 0x40000000, 0);
    if (count < 2) line.fail(kKindSide, kSideSetOpt, text::decimal(count));
    word = line.next();
  }
  if (word == u"pindirs") {
    old = config.execctrl;
    addToImage(config.execctrl, 0x20000000, 0);
    result = showRegisterChange(line.ctx, kExecctrl, old, u"29 PINDIRS", line.original());
  }
  return result;
}

int decodeDirective(PioLine& line) {
  PioAssembler& pio = line.pio;
  pio.decodeMode = true;
  int32_t value = parsePioNumber(line.valueWord());
  if (!pio.decodeHeaderWritten) {
    pio.decodeHeaderWritten = true;
    pio.decodeAddress = pio.config().origin;
    line.ctx.logs.pioErrorLine(u"\r\n'" + std::u16string(76, u'-'));
    line.ctx.logs.pioErrorLine(u"'                 Decoded Instructions ");
    line.ctx.logs.pioErrorLine(u"'" + std::u16string(76, u'-'));
  }
  std::u16string_view original = line.original();
  size_t apostrophe = original.find(u'\'');
  std::u16string_view comment =
      apostrophe == std::u16string_view::npos ? original : original.substr(apostrophe + 1);
  std::u16string decoded = decodeForCurrentMachine(line.ctx, static_cast<uint16_t>(value));
  decoded.resize(30, u' ');
  std::u16string address = text::hex(static_cast<uint32_t>(pio.decodeAddress));
  line.ctx.logs.pioErrorLine(
      decoded + text::normaliseBlanks(u" '&h" + address + u" " + std::u16string(comment)));
  ++pio.decodeAddress;
  return kResultNothing;
}

}  // namespace

std::u16string programNameOf(std::u16string_view body) {
  std::u16string_view name = text::trimBlanks(body.substr(std::min<size_t>(8, body.size())));
  name = name.substr(0, name.find(u'\''));
  name = name.substr(0, name.find(u';'));
  return std::u16string(name);
}

std::optional<int> applyDirective(PioLine& line, std::u16string_view name) {
  if (name == u".program") return programDirective(line);
  if (name == u".pio") return pioDirective(line);
  if (name == u".sm") return smDirective(line);
  if (name == u".origin") return originDirective(line);
  if (name == u".wrap_target") return wrapTargetDirective(line);
  if (name == u".wrap") return wrapDirective(line);
  if (name == u".frequency") {
    line.pio.config().frequency = parsePioNumber(line.valueWord());
    return kResultDirective;
  }
  if (name == u".side_set") return sideSetDirective(line);
  if (name == u".nostart") {
    line.pio.config().nostart = true;
    return kResultNoWord;
  }
  if (name == u".decode") return decodeDirective(line);
  return applyRegisterField(line, name);
}

}  // namespace pio
