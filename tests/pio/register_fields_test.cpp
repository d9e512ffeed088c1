#include "pio/register_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

using K = pio::RegisterKind;

// The state machine configuration fields as the RP2040 datasheet lays them
// out (SM0_EXECCTRL, SM0_PINCTRL, SM0_SHIFTCTRL): register, name, lowest and
// highest bit. Every field of the table is one of them, in its place.
TEST(RegisterFields, StandWhereTheRp2040DatasheetPutsThem) {
  struct Row {
    K reg;
    std::u16string_view name;
    int lsb;
    int msb;
  } rows[] = {
      {K::execctrl, u"SIDE_EN", 30, 30},       {K::execctrl, u"SIDE_PINDIR", 29, 29},
      {K::execctrl, u"JMP_PIN", 24, 28},       {K::execctrl, u"OUT_EN_SEL", 19, 23},
      {K::execctrl, u"INLINE_OUT_EN", 18, 18}, {K::execctrl, u"OUT_STICKY", 17, 17},
      {K::execctrl, u"WRAP_TOP", 12, 16},      {K::execctrl, u"WRAP_BOTTOM", 7, 11},
      {K::execctrl, u"STATUS_SEL", 4, 4},      {K::execctrl, u"STATUS_N", 0, 3},
      {K::pinctrl, u"SIDESET_COUNT", 29, 31},  {K::pinctrl, u"SET_COUNT", 26, 28},
      {K::pinctrl, u"OUT_COUNT", 20, 25},      {K::pinctrl, u"IN_BASE", 15, 19},
      {K::pinctrl, u"SIDESET_BASE", 10, 14},   {K::pinctrl, u"SET_BASE", 5, 9},
      {K::pinctrl, u"OUT_BASE", 0, 4},         {K::shiftctrl, u"FJOIN_RX", 31, 31},
      {K::shiftctrl, u"FJOIN_TX", 30, 30},     {K::shiftctrl, u"PULL_THRESH", 25, 29},
      {K::shiftctrl, u"PUSH_THRESH", 20, 24},  {K::shiftctrl, u"OUT_SHIFTDIR", 19, 19},
      {K::shiftctrl, u"IN_SHIFTDIR", 18, 18},  {K::shiftctrl, u"AUTOPULL", 17, 17},
      {K::shiftctrl, u"AUTOPUSH", 16, 16},
  };
  ASSERT_EQ(pio::fieldTable().size(), std::size(rows));
  for (const pio::FieldRow& field : pio::fieldTable()) {
    const std::string name(field.name.begin(), field.name.end());
    const Row* row = std::find_if(std::begin(rows), std::end(rows),
                                  [&](const Row& r) { return r.name == field.name; });
    ASSERT_NE(row, std::end(rows)) << name;
    pio::FieldPlace place = pio::placeOf(field.field);
    EXPECT_EQ(pio::registerOf(field.field), row->reg) << name;
    EXPECT_EQ(place.firstBit, row->lsb) << name;
    EXPECT_EQ(place.firstBit + place.width - 1, row->msb) << name;
  }
  // The values after a reset.
  EXPECT_EQ(pio::RegisterImages{}, (pio::RegisterImages{0x0001F000, 0x14000000, 0x000C0000}));
}

}  // namespace
