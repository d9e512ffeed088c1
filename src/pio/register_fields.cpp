#include "pio/register_fields.h"

#include "text/numbers.h"

namespace pio {

namespace {

using enum Field;
constexpr RegisterKind kExec = RegisterKind::execctrl;
constexpr RegisterKind kPin = RegisterKind::pinctrl;
constexpr RegisterKind kShift = RegisterKind::shiftctrl;

// In the order of Field, so that a field is its own index. The dashes and
// the pictured names are how the bit pictures have always shown them.
constexpr FieldPlace kNone = {};

// RP2040 column, then RP2350 column, as the chips' register headers place
// them. The dashes and the pictured names are how the bit pictures have
// always shown them.
constexpr FieldRow kFields[] = {
    {sideEn, kExec, u"SIDE_EN", {{{30, 1}, {30, 1}}}},
    {sidePindir, kExec, u"SIDE_PINDIR", {{{29, 1}, {29, 1}}}, u':', u"PINDIRS"},
    {jmpPin, kExec, u"JMP_PIN", {{{24, 5}, {24, 5}}}, u'-'},
    {outEnSel, kExec, u"OUT_EN_SEL", {{{19, 5}, {19, 5}}}, u'-'},
    {inlineOutEn, kExec, u"INLINE_OUT_EN", {{{18, 1}, {18, 1}}}},
    {outSticky, kExec, u"OUT_STICKY", {{{17, 1}, {17, 1}}}},
    {wrapTop, kExec, u"WRAP_TOP", {{{12, 5}, {12, 5}}}, u'-', u"wrap"},
    {wrapBottom, kExec, u"WRAP_BOTTOM", {{{7, 5}, {7, 5}}}, u'-', u"wrap target"},
    {statusSel, kExec, u"STATUS_SEL", {{{4, 1}, {5, 2}}}},
    {statusN, kExec, u"STATUS_N", {{{0, 4}, {0, 5}}}},
    {sidesetCount, kPin, u"SIDESET_COUNT", {{{29, 3}, {29, 3}}}},
    {setCount, kPin, u"SET_COUNT", {{{26, 3}, {26, 3}}}},
    {outCount, kPin, u"OUT_COUNT", {{{20, 6}, {20, 6}}}},
    {inBase, kPin, u"IN_BASE", {{{15, 5}, {15, 5}}}},
    {sidesetBase, kPin, u"SIDESET_BASE", {{{10, 5}, {10, 5}}}, u'-'},
    {setBase, kPin, u"SET_BASE", {{{5, 5}, {5, 5}}}},
    {outBase, kPin, u"OUT_BASE", {{{0, 5}, {0, 5}}}},
    {fjoinRx, kShift, u"FJOIN_RX", {{{31, 1}, {31, 1}}}},
    {fjoinTx, kShift, u"FJOIN_TX", {{{30, 1}, {30, 1}}}},
    {pullThresh, kShift, u"PULL_THRESH", {{{25, 5}, {25, 5}}}, u':', u"PULL_THRESHOLD"},
    {pushThresh, kShift, u"PUSH_THRESH", {{{20, 5}, {20, 5}}}, u':', u"PUSH_THRESHOLD"},
    {outShiftdir, kShift, u"OUT_SHIFTDIR", {{{19, 1}, {19, 1}}}},
    {inShiftdir, kShift, u"IN_SHIFTDIR", {{{18, 1}, {18, 1}}}},
    {autopull, kShift, u"AUTOPULL", {{{17, 1}, {17, 1}}}},
    {autopush, kShift, u"AUTOPUSH", {{{16, 1}, {16, 1}}}},
    {fjoinRxPut, kShift, u"FJOIN_RX_PUT", {{kNone, {15, 1}}}},
    {fjoinRxGet, kShift, u"FJOIN_RX_GET", {{kNone, {14, 1}}}},
    {inCount, kShift, u"IN_COUNT", {{kNone, {0, 5}}}},
};

constexpr bool inFieldOrder() {
  for (size_t i = 0; i < std::size(kFields); ++i) {
    if (static_cast<size_t>(kFields[i].field) != i) return false;
  }
  return true;
}
static_assert(inFieldOrder(), "the field table must follow the order of Field");

const FieldRow& rowOf(Field field) { return kFields[static_cast<size_t>(field)]; }

int64_t maskOf(Field field, Chip chip) {
  FieldPlace place = placeOf(field, chip);
  return ((int64_t{1} << place.width) - 1) << place.firstBit;
}

}  // namespace

int64_t& RegisterImages::of(RegisterKind kind) {
  if (kind == RegisterKind::execctrl) return execctrl;
  if (kind == RegisterKind::pinctrl) return pinctrl;
  return shiftctrl;
}

int64_t RegisterImages::of(RegisterKind kind) const {
  return const_cast<RegisterImages&>(*this).of(kind);
}

std::u16string_view registerName(RegisterKind kind) {
  switch (kind) {
    case RegisterKind::execctrl: return u"EXECCTRL";
    case RegisterKind::pinctrl: return u"PINCTRL";
    case RegisterKind::shiftctrl: return u"SHIFTCTRL";
  }
  return {};
}

std::u16string_view chipName(Chip chip) { return chip == Chip::rp2350 ? u"rp2350" : u"rp2040"; }

std::optional<Chip> chipNamed(std::u16string_view name) {
  for (Chip chip : {Chip::rp2040, Chip::rp2350}) {
    if (name == chipName(chip)) return chip;
  }
  return std::nullopt;
}

std::span<const FieldRow> fieldTable() { return kFields; }

FieldPlace placeOf(Field field, Chip chip) { return rowOf(field).place[static_cast<size_t>(chip)]; }

bool chipHas(Field field, Chip chip) { return placeOf(field, chip).width > 0; }

RegisterKind registerOf(Field field) { return rowOf(field).reg; }

std::u16string_view fieldName(Field field) { return rowOf(field).name; }

int64_t fieldBits(Field field, int64_t value, Chip chip) {
  return static_cast<int64_t>(static_cast<uint64_t>(value) << placeOf(field, chip).firstBit);
}

int32_t fieldValue(int64_t image, Field field, Chip chip) {
  FieldPlace place = placeOf(field, chip);
  return static_cast<int32_t>((image >> place.firstBit) & ((int64_t{1} << place.width) - 1));
}

int64_t fieldMax(Field field, Chip chip) { return (int64_t{1} << placeOf(field, chip).width) - 1; }

int32_t RegisterImages::get(Field field) const { return fieldValue(of(registerOf(field)), field, chip); }

bool RegisterImages::add(Field field, int64_t value) {
  const int64_t held = get(field);
  const int64_t max = fieldMax(field, chip);
  const int64_t sum = max == 1 ? (held | (value != 0 ? 1 : 0)) : held + value;
  if (value < 0 || sum > max) return false;
  set({{field, sum}});
  return true;
}

void RegisterImages::clear(Field field) { of(registerOf(field)) &= ~maskOf(field, chip); }

void RegisterImages::set(std::initializer_list<FieldValue> values) {
  for (const FieldValue& value : values) {
    // A field the chip lacks has no bits to take the value.
    if (!chipHas(value.field, chip)) continue;
    clear(value.field);
    of(registerOf(value.field)) |= fieldBits(value.field, value.value, chip);
  }
}

std::u16string fieldRange(Field field, Chip chip) {
  FieldPlace place = placeOf(field, chip);
  std::u16string first = text::decimal(place.firstBit);
  if (place.width == 1) return first;
  return text::decimal(place.firstBit + place.width - 1) + rowOf(field).rangeMark + first;
}

std::u16string fieldLabel(std::initializer_list<Field> fields, Chip chip) {
  std::u16string label;
  for (Field field : fields) {
    const FieldRow& row = rowOf(field);
    if (!label.empty()) label += u' ';
    label += fieldRange(field, chip) + u" " +
             std::u16string(row.pictured.empty() ? row.name : row.pictured);
  }
  return label;
}

SideSet sideSetOf(const RegisterImages& images) {
  SideSet side;
  side.count = images.get(Field::sidesetCount);
  side.optional = images.get(Field::sideEn);
  return side;
}

}  // namespace pio
