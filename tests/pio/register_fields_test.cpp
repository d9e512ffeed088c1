#include "pio/register_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace {

// The fields of SM0_EXECCTRL, SM0_PINCTRL and SM0_SHIFTCTRL as each chip's
// datasheet lays them out: register, lowest and highest bit, by name. Every
// field of the table is one of them, in its place, and a field a chip lacks
// has no bits there.
TEST(RegisterFields, StandWhereEachChipsDatasheetPutsThem) {
  constexpr pio::RegisterKind E = pio::RegisterKind::execctrl, P = pio::RegisterKind::pinctrl,
                              S = pio::RegisterKind::shiftctrl;
  using Layout = std::map<std::u16string_view, std::tuple<pio::RegisterKind, int, int>>;
  const Layout rp2040 = {
      {u"SIDE_EN", {E, 30, 30}}, {u"SIDE_PINDIR", {E, 29, 29}}, {u"JMP_PIN", {E, 24, 28}},
      {u"OUT_EN_SEL", {E, 19, 23}}, {u"INLINE_OUT_EN", {E, 18, 18}}, {u"OUT_STICKY", {E, 17, 17}},
      {u"WRAP_TOP", {E, 12, 16}}, {u"WRAP_BOTTOM", {E, 7, 11}}, {u"STATUS_SEL", {E, 4, 4}},
      {u"STATUS_N", {E, 0, 3}}, {u"SIDESET_COUNT", {P, 29, 31}}, {u"SET_COUNT", {P, 26, 28}},
      {u"OUT_COUNT", {P, 20, 25}}, {u"IN_BASE", {P, 15, 19}}, {u"SIDESET_BASE", {P, 10, 14}},
      {u"SET_BASE", {P, 5, 9}}, {u"OUT_BASE", {P, 0, 4}}, {u"FJOIN_RX", {S, 31, 31}},
      {u"FJOIN_TX", {S, 30, 30}}, {u"PULL_THRESH", {S, 25, 29}}, {u"PUSH_THRESH", {S, 20, 24}},
      {u"OUT_SHIFTDIR", {S, 19, 19}}, {u"IN_SHIFTDIR", {S, 18, 18}}, {u"AUTOPULL", {S, 17, 17}},
      {u"AUTOPUSH", {S, 16, 16}},
  };
  Layout rp2350 = rp2040;
  rp2350[u"STATUS_SEL"] = {E, 5, 6};
  rp2350[u"STATUS_N"] = {E, 0, 4};
  rp2350[u"FJOIN_RX_PUT"] = {S, 15, 15};
  rp2350[u"FJOIN_RX_GET"] = {S, 14, 14};
  rp2350[u"IN_COUNT"] = {S, 0, 4};
  ASSERT_EQ(pio::fieldTable().size(), rp2350.size());
  for (auto [chip, datasheet] : {std::pair{pio::Chip::rp2040, &rp2040}, {pio::Chip::rp2350, &rp2350}}) {
    for (const pio::FieldRow& row : pio::fieldTable()) {
      const std::string name(row.name.begin(), row.name.end());
      const pio::FieldPlace at = pio::placeOf(row.field, chip);
      if (!datasheet->contains(row.name)) {
        EXPECT_FALSE(pio::chipHas(row.field, chip)) << name;
        continue;
      }
      EXPECT_EQ(datasheet->at(row.name),
                std::tuple(pio::registerOf(row.field), at.firstBit, at.firstBit + at.width - 1))
          << name;
    }
  }
  // Setting a field the chip lacks leaves every bit as it was.
  pio::RegisterImages images;
  images.set({{pio::Field::inCount, 5}, {pio::Field::fjoinRxGet, 1}});
  EXPECT_EQ(images, pio::RegisterImages{});
  // The images start at the registers' reset values.
  EXPECT_EQ(pio::RegisterImages{}, (pio::RegisterImages{0x0001F000, 0x14000000, 0x000C0000}));
}

}  // namespace
