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
constexpr FieldRow kFields[] = {
    {sideEn, kExec, u"SIDE_EN", {{{30, 1}}}},
    {sidePindir, kExec, u"SIDE_PINDIR", {{{29, 1}}}, u':', u"PINDIRS"},
    {jmpPin, kExec, u"JMP_PIN", {{{24, 5}}}, u'-'},
    {outEnSel, kExec, u"OUT_EN_SEL", {{{19, 5}}}, u'-'},
    {inlineOutEn, kExec, u"INLINE_OUT_EN", {{{18, 1}}}},
    {outSticky, kExec, u"OUT_STICKY", {{{17, 1}}}},
    {wrapTop, kExec, u"WRAP_TOP", {{{12, 5}}}, u'-', u"wrap"},
    {wrapBottom, kExec, u"WRAP_BOTTOM", {{{7, 5}}}, u'-', u"wrap target"},
    {statusSel, kExec, u"STATUS_SEL", {{{4, 1}}}},
    {statusN, kExec, u"STATUS_N", {{{0, 4}}}},
    {sidesetCount, kPin, u"SIDESET_COUNT", {{{29, 3}}}},
    {setCount, kPin, u"SET_COUNT", {{{26, 3}}}},
    {outCount, kPin, u"OUT_COUNT", {{{20, 6}}}},
    {inBase, kPin, u"IN_BASE", {{{15, 5}}}},
    {sidesetBase, kPin, u"SIDESET_BASE", {{{10, 5}}}, u'-'},
    {setBase, kPin, u"SET_BASE", {{{5, 5}}}},
    {outBase, kPin, u"OUT_BASE", {{{0, 5}}}},
    {fjoinRx, kShift, u"FJOIN_RX", {{{31, 1}}}},
    {fjoinTx, kShift, u"FJOIN_TX", {{{30, 1}}}},
    {pullThresh, kShift, u"PULL_THRESH", {{{25, 5}}}, u':', u"PULL_THRESHOLD"},
    {pushThresh, kShift, u"PUSH_THRESH", {{{20, 5}}}, u':', u"PUSH_THRESHOLD"},
    {outShiftdir, kShift, u"OUT_SHIFTDIR", {{{19, 1}}}},
    {inShiftdir, kShift, u"IN_SHIFTDIR", {{{18, 1}}}},
    {autopull, kShift, u"AUTOPULL", {{{17, 1}}}},
    {autopush, kShift, u"AUTOPUSH", {{{16, 1}}}},
};

constexpr bool inFieldOrder() {
  for (size_t i = 0; i < std::size(kFields); ++i) {
    if (static_cast<size_t>(kFields[i].field) != i) return false;
  }
  return true;
}
static_assert(inFieldOrder(), "the field table must follow the order of Field");

const FieldRow& rowOf(Field field) { return kFields[static_cast<size_t>(field)]; }

int64_t maskOf(Field field) {
  FieldPlace place = placeOf(field);
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

std::span<const FieldRow> fieldTable() { return kFields; }

FieldPlace placeOf(Field field) { return rowOf(field).place[static_cast<size_t>(kTargetChip)]; }

RegisterKind registerOf(Field field) { return rowOf(field).reg; }

int64_t fieldBits(Field field, int64_t value) {
  return static_cast<int64_t>(static_cast<uint64_t>(value) << placeOf(field).firstBit);
}

int32_t fieldValue(int64_t image, Field field) {
  FieldPlace place = placeOf(field);
  return static_cast<int32_t>((image >> place.firstBit) & ((int64_t{1} << place.width) - 1));
}

int64_t fieldMax(Field field) { return (int64_t{1} << placeOf(field).width) - 1; }

bool addToField(int64_t& image, Field field, int64_t value) {
  const int64_t held = fieldValue(image, field);
  const int64_t sum = fieldMax(field) == 1 ? (held | (value != 0 ? 1 : 0)) : held + value;
  if (value < 0 || sum > fieldMax(field)) return false;
  setFields(image, {{field, sum}});
  return true;
}

void clearField(int64_t& image, Field field) { image &= ~maskOf(field); }

void setFields(int64_t& image, std::initializer_list<FieldValue> values) {
  for (const FieldValue& value : values) {
    clearField(image, value.field);
    image |= fieldBits(value.field, value.value);
  }
}

std::u16string fieldRange(Field field) {
  FieldPlace place = placeOf(field);
  std::u16string first = text::decimal(place.firstBit);
  if (place.width == 1) return first;
  return text::decimal(place.firstBit + place.width - 1) + rowOf(field).rangeMark + first;
}

std::u16string fieldLabel(std::initializer_list<Field> fields) {
  std::u16string label;
  for (Field field : fields) {
    const FieldRow& row = rowOf(field);
    if (!label.empty()) label += u' ';
    label +=
        fieldRange(field) + u" " + std::u16string(row.pictured.empty() ? row.name : row.pictured);
  }
  return label;
}

SideSet sideSetOf(const RegisterImages& images) {
  SideSet side;
  side.count = fieldValue(images.pinctrl, Field::sidesetCount);
  side.optional = fieldValue(images.execctrl, Field::sideEn);
  return side;
}

}  // namespace pio
