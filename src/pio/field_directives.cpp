#include "pio/field_directives.h"

#include <string>

#include "pio/gpio_base.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

using PinCopy = int32_t* (*)(PinGroups&);

// How a directive writes its field. Most add their value to what the field
// holds, as they always have; a repeated one adds up, as far as the field
// holds it.
enum class Write {
  add,
  clearThenAdd,
  /// Sets the one-bit field whatever value follows.
  addOne,
};

struct FieldDirective {
  std::u16string_view name;
  Field field;
  int32_t maxValue = 0;  // the largest value the directive takes
  std::u16string_view allowed = {};
  Write write = Write::add;
  PinCopy pinCopy = nullptr;  // the pin group value that follows the field
  bool thirtyTwoIsZero = false;
  /// The value is a GPIO, counted in the field from the PIO block's base.
  bool gpio = false;
};

constexpr PinCopy kSidesetBase = [](PinGroups& p) { return &p.sideset.base; };
constexpr PinCopy kSetCount = [](PinGroups& p) { return &p.set.count; };
constexpr PinCopy kSetBase = [](PinGroups& p) { return &p.set.base; };
constexpr PinCopy kOutCount = [](PinGroups& p) { return &p.out.count; };
constexpr PinCopy kOutBase = [](PinGroups& p) { return &p.out.base; };
constexpr PinCopy kInBase = [](PinGroups& p) { return &p.inBase; };

constexpr Write kClear = Write::clearThenAdd;
// A directive whose range is the field's, which differs between the chips.
constexpr int32_t kWholeField = -1;

constexpr FieldDirective kFieldDirectives[] = {
    {u".jmp_pin", Field::jmpPin, 31, u"0-31", Write::add, nullptr, false, true},
    {u".out_en_sel", Field::outEnSel, 31, u"0-31"},
    {u".inline_out_en", Field::inlineOutEn, 1, u"0-1"},
    {u".out_sticky", Field::outSticky, 1, u"0-1"},
    {u".status_sel", Field::statusSel, kWholeField},
    {u".status_n", Field::statusN, kWholeField},
    {u".sideset_base", Field::sidesetBase, 31, u"0-31", Write::add, kSidesetBase, false, true},
    {u".set_count", Field::setCount, 5, u"0-5", kClear, kSetCount},
    {u".set_base", Field::setBase, 31, u"0-31", Write::add, kSetBase, false, true},
    {u".out_count", Field::outCount, 32, u"0-32", Write::add, kOutCount},
    {u".out_base", Field::outBase, 31, u"0-31", Write::add, kOutBase, false, true},
    {u".in_base", Field::inBase, 31, u"0-31", Write::add, kInBase, false, true},
    {u".push_threshold", Field::pushThresh, 32, u"1-32", Write::add, nullptr, true},
    {u".pull_threshold", Field::pullThresh, 32, u"1-32", Write::add, nullptr, true},
    {u".autopush", Field::autopush, 1, u"0-1"},
    {u".autopull", Field::autopull, 1, u"0-1"},
    {u".in_shiftdir", Field::inShiftdir, 1, u"0-1", kClear},
    {u".out_shiftdir", Field::outShiftdir, 1, u"0-1", kClear},
    {u".fjoin_rx", Field::fjoinRx, 0, {}, Write::addOne},
    {u".fjoin_tx", Field::fjoinTx, 0, {}, Write::addOne},
};

LineResult applyField(PioLine& line, const FieldDirective& directive) {
  int32_t value = 1;
  if (directive.write != Write::addOne) {
    std::optional<int32_t> read = readValue(line, line.valueWord());
    if (!read) return Outcome::noWord;
    value = *read;
    const bool highPins = directive.gpio && lastPin(line.pio) > directive.maxValue;
    const int64_t maxValue = directive.maxValue == kWholeField
                                 ? fieldMax(directive.field, line.pio.block.chip)
                             : highPins ? lastPin(line.pio)
                                        : directive.maxValue;
    if (value < 0 || value > maxValue) {
      line.fail(ErrorKind::dir,
                std::u16string(directive.name) + u" Invalid Value " + text::decimal(value),
                directive.allowed.empty() || highPins ? u"0-" + text::decimal(maxValue)
                                                      : std::u16string(directive.allowed));
      return Outcome::noWord;
    }
  }
  const int32_t given = value;
  if (directive.gpio) {
    std::optional<int32_t> field = pinField(line, value, directive.name);
    if (!field) return Outcome::noWord;
    value = *field;
  }
  if (directive.thirtyTwoIsZero && value == 32) value = 0;
  RegisterKind kind = registerOf(directive.field);
  RegisterImages& images = line.pio.registers();
  const RegisterImages before = images;
  if (directive.write == Write::clearThenAdd) images.clear(directive.field);
  if (!images.add(directive.field, value)) {
    images = before;
    line.fail(ErrorKind::dir,
              std::u16string(directive.name) + u" adds up to " +
                  text::decimal(images.get(directive.field) + int64_t{value}),
              u"0-" + text::decimal(fieldMax(directive.field, images.chip)));
    return Outcome::noWord;
  }
  noteBlockField(line.pio, directive.field);
  // A pin group keeps its base as the field does, from the PIO block's base.
  if (directive.pinCopy != nullptr) {
    *directive.pinCopy(line.pio.block.pins) = directive.gpio ? value : given;
  }
  return showRegisterChange(line.ctx, kind, before.of(kind), fieldLabel({directive.field}, images.chip),
                            line.original());
}

}  // namespace

void notePinDirective(PioLine& line, std::u16string_view name) {
  for (const FieldDirective& directive : kFieldDirectives) {
    if (directive.name != name || !directive.gpio) continue;
    if (std::optional<int32_t> pin = readValue(line, line.valueWord())) notePin(line, *pin);
  }
}

std::optional<LineResult> applyFieldDirective(PioLine& line, std::u16string_view name) {
  for (const FieldDirective& directive : kFieldDirectives) {
    if (directive.name == name) return applyField(line, directive);
  }
  return std::nullopt;
}

}  // namespace pio
