#include "pio/register_fields.h"

#include <string>

#include "pio/guidance.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "pio/register_display.h"
#include "pio/second_pass.h"
#include "text/numbers.h"

namespace pio {

namespace {

// How a field directive checks its value: not at all, before changing the
// image (which then stays unchanged), or after the change has been made.
enum class Check { none, before, after };

struct FieldDirective {
  std::u16string_view name;
  int registerKind;
  int shift;
  std::u16string_view label;
  int64_t clearMask = 0;
  Check check = Check::none;
  int32_t maxValue = 0;
  std::u16string_view allowed = {};
  int32_t PioAssembler::*copy = nullptr;
  bool thirtyTwoIsZero = false;
  int64_t constant = 0;  // added instead of the value when not 0
};

const FieldDirective kFieldDirectives[] = {
    {u".jmp_pin", kExecctrl, 24, u"28-24 JMP_PIN"},
    {u".out_en_sel", kExecctrl, 19, u"23-19 OUT_EN_SEL", 0, Check::before, 31, u"0-31"},
    {u".inline_out_en", kExecctrl, 18, u"18 INLINE_OUT_EN", 0, Check::before, 1, u"0-1"},
    {u".out_sticky", kExecctrl, 17, u"17 OUT_STICKY", 0, Check::before, 1, u"0-1"},
    {u".status_sel", kExecctrl, 4, u"4 STATUS_SEL", 0, Check::before, 1, u"0-1"},
    {u".status_n", kExecctrl, 0, u"3:0 STATUS_N", 0, Check::after, 15, u"0-15"},
    {u".sideset_base", kPinctrl, 10, u"14-10 SIDESET_BASE", 0, Check::none, 0, {},
     &PioAssembler::sidesetBase},
    {u".set_count", kPinctrl, 26, u"28:26 SET_COUNT", 0x1C000000, Check::none, 0, {},
     &PioAssembler::setCount},
    {u".set_base", kPinctrl, 5, u"9:5 SET_BASE", 0, Check::none, 0, {}, &PioAssembler::setBase},
    {u".out_count", kPinctrl, 20, u"25:20 OUT_COUNT", 0, Check::none, 0, {},
     &PioAssembler::outCount},
    {u".out_base", kPinctrl, 0, u"4:0 OUT_BASE", 0, Check::none, 0, {}, &PioAssembler::outBase},
    {u".in_base", kPinctrl, 15, u"19:15 IN_BASE", 0, Check::none, 0, {}, &PioAssembler::inBase},
    {u".push_threshold", kShiftctrl, 20, u"24:20 PUSH_THRESHOLD", 0, Check::after, 32, u"1-32",
     nullptr, true},
    {u".pull_threshold", kShiftctrl, 25, u"29:25 PULL_THRESHOLD", 0, Check::after, 32, u"1-32",
     nullptr, true},
    {u".autopush", kShiftctrl, 16, u"16 AUTOPUSH"},
    {u".autopull", kShiftctrl, 17, u"17 AUTOPULL"},
    {u".in_shiftdir", kShiftctrl, 18, u"18 IN_SHIFTDIR", 0x40000, Check::after, 1, u"0-1"},
    {u".out_shiftdir", kShiftctrl, 19, u"19 OUT_SHIFTDIR", 0x80000, Check::after, 1, u"0-1"},
    {u".fjoin_rx", kShiftctrl, 0, u"31 FJOIN_RX", 0, Check::none, 0, {}, nullptr, false,
     0x80000000},
    {u".fjoin_tx", kShiftctrl, 0, u"30 FJOIN_TX", 0, Check::none, 0, {}, nullptr, false,
     0x40000000},
};

int64_t& imageOf(StateMachineConfig& config, int registerKind) {
  if (registerKind == kExecctrl) return config.execctrl;
  if (registerKind == kPinctrl) return config.pinctrl;
  return config.shiftctrl;
}

void reportOutOfRange(PioLine& line, const FieldDirective& field, int32_t value) {
  line.fail(kKindDir, std::u16string(field.name) + u" Invalid Value " + text::decimal(value),
            field.allowed);
}

int applyField(PioLine& line, const FieldDirective& field) {
  int32_t value = parsePioNumber(line.valueWord());
  if (field.check == Check::before && value > field.maxValue) {
    reportOutOfRange(line, field, value);
    return kResultNoWord;
  }
  if (field.copy != nullptr) line.pio.*field.copy = value;
  claimRegisters(line.pio);
  int64_t& image = imageOf(line.pio.config(), field.registerKind);
  int64_t old = image;
  image &= ~field.clearMask;
  if (field.constant != 0) {
    addToImage(image, field.constant, 0);
  } else {
    addToImage(image, field.thirtyTwoIsZero && value == 32 ? 0 : value, field.shift);
  }
  int result = showRegisterChange(line.ctx, field.registerKind, old, field.label, line.original());
  if (field.check == Check::after && value > field.maxValue) {
    reportOutOfRange(line, field, value);
    return kResultNoWord;
  }
  return result;
}

}  // namespace

std::optional<int> applyRegisterField(PioLine& line, std::u16string_view name) {
  for (const FieldDirective& field : kFieldDirectives) {
    if (field.name == name) return applyField(line, field);
  }
  return std::nullopt;
}

void addToImage(int64_t& image, int64_t value, int shift) {
  uint64_t sum = static_cast<uint64_t>(image) + (static_cast<uint64_t>(value) << shift);
  image = static_cast<int64_t>(sum);
}

}  // namespace pio
