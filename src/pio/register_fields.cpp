#include "pio/register_fields.h"

#include <string>

#include "pio/line_pass.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

using PinCopy = int32_t* (*)(PinGroups&);

struct FieldDirective {
  std::u16string_view name;
  RegisterKind kind;
  int shift;
  std::u16string_view label;
  int32_t maxValue = 0;  // the largest value the field holds
  std::u16string_view allowed = {};
  int64_t clearMask = 0;
  PinCopy pinCopy = nullptr;  // the pin group value that follows the field
  bool thirtyTwoIsZero = false;
  int64_t constant = 0;  // added instead of a value when not 0
};

constexpr PinCopy kSidesetBase = [](PinGroups& p) { return &p.sideset.base; };
constexpr PinCopy kSetCount = [](PinGroups& p) { return &p.set.count; };
constexpr PinCopy kSetBase = [](PinGroups& p) { return &p.set.base; };
constexpr PinCopy kOutCount = [](PinGroups& p) { return &p.out.count; };
constexpr PinCopy kOutBase = [](PinGroups& p) { return &p.out.base; };
constexpr PinCopy kInBase = [](PinGroups& p) { return &p.inBase; };

constexpr RegisterKind kExec = RegisterKind::execctrl;
constexpr RegisterKind kPin = RegisterKind::pinctrl;
constexpr RegisterKind kShift = RegisterKind::shiftctrl;

const FieldDirective kFieldDirectives[] = {
    {u".jmp_pin", kExec, 24, u"28-24 JMP_PIN", 31, u"0-31"},
    {u".out_en_sel", kExec, 19, u"23-19 OUT_EN_SEL", 31, u"0-31"},
    {u".inline_out_en", kExec, 18, u"18 INLINE_OUT_EN", 1, u"0-1"},
    {u".out_sticky", kExec, 17, u"17 OUT_STICKY", 1, u"0-1"},
    {u".status_sel", kExec, 4, u"4 STATUS_SEL", 1, u"0-1"},
    {u".status_n", kExec, 0, u"3:0 STATUS_N", 15, u"0-15"},
    {u".sideset_base", kPin, 10, u"14-10 SIDESET_BASE", 31, u"0-31", 0, kSidesetBase},
    {u".set_count", kPin, 26, u"28:26 SET_COUNT", 5, u"0-5", 0x1C000000, kSetCount},
    {u".set_base", kPin, 5, u"9:5 SET_BASE", 31, u"0-31", 0, kSetBase},
    {u".out_count", kPin, 20, u"25:20 OUT_COUNT", 32, u"0-32", 0, kOutCount},
    {u".out_base", kPin, 0, u"4:0 OUT_BASE", 31, u"0-31", 0, kOutBase},
    {u".in_base", kPin, 15, u"19:15 IN_BASE", 31, u"0-31", 0, kInBase},
    {u".push_threshold", kShift, 20, u"24:20 PUSH_THRESHOLD", 32, u"1-32", 0, nullptr, true},
    {u".pull_threshold", kShift, 25, u"29:25 PULL_THRESHOLD", 32, u"1-32", 0, nullptr, true},
    {u".autopush", kShift, 16, u"16 AUTOPUSH", 1, u"0-1"},
    {u".autopull", kShift, 17, u"17 AUTOPULL", 1, u"0-1"},
    {u".in_shiftdir", kShift, 18, u"18 IN_SHIFTDIR", 1, u"0-1", 0x40000},
    {u".out_shiftdir", kShift, 19, u"19 OUT_SHIFTDIR", 1, u"0-1", 0x80000},
    // The value after these does not matter.
    {u".fjoin_rx", kShift, 0, u"31 FJOIN_RX", 0, {}, 0, nullptr, false, 0x80000000},
    {u".fjoin_tx", kShift, 0, u"30 FJOIN_TX", 0, {}, 0, nullptr, false, 0x40000000},
};

int applyField(PioLine& line, const FieldDirective& field) {
  int32_t value = 0;
  if (field.constant == 0) {
    std::optional<int32_t> read = readValue(line, line.valueWord());
    if (!read) return kResultNoWord;
    value = *read;
    if (value < 0 || value > field.maxValue) {
      line.fail(ErrorKind::dir, std::u16string(field.name) + u" Invalid Value " + text::decimal(value),
                field.allowed);
      return kResultNoWord;
    }
  }
  if (field.pinCopy != nullptr) *field.pinCopy(line.pio.pins) = value;
  int64_t& image = imageOf(line.pio.config(), field.kind);
  int64_t old = image;
  image &= ~field.clearMask;
  if (field.constant != 0) {
    addToImage(image, field.constant, 0);
  } else {
    addToImage(image, field.thirtyTwoIsZero && value == 32 ? 0 : value, field.shift);
  }
  return showRegisterChange(line.ctx, field.kind, old, field.label, line.original());
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

int64_t& imageOf(StateMachineConfig& config, RegisterKind kind) {
  if (kind == RegisterKind::execctrl) return config.execctrl;
  if (kind == RegisterKind::pinctrl) return config.pinctrl;
  return config.shiftctrl;
}

}  // namespace pio
