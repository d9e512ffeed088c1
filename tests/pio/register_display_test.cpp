#include "pio/register_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"

namespace {

using Lines = std::vector<std::u16string>;
using pio::Outcome;

TEST(RegisterDisplay, PicturesTheChangeWhenAsked) {
  pio_test::Assembler a;
  a.options.showRegs = true;
  EXPECT_EQ(a.second(u".fjoin_tx"), Outcome::noWord);
  EXPECT_EQ(a.logs.report, (Lines{
                               u".fjoin_tx",
                               u"3322222222221111111111 -Bits 30 FJOIN_TX",
                               u"10987654321098765432109876543210",
                               u"00000000000011000000000000000000",
                               u"01000000000011000000000000000000(SHIFTCTRL)",
                               u"",
                           }));
}

TEST(RegisterDisplay, FieldLabels) {
  struct Row {
    std::u16string_view line;
    std::u16string_view ruler;
    std::u16string_view after;
  } rows[] = {
      {u".out_count 2", u"3322222222221111111111 -Bits 25:20 OUT_COUNT",
       u"00010100001000000000000000000000(PINCTRL)"},
      {u".wrap_target", u"3322222222221111111111 -Bits 11-7 wrap target 0",
       u"00000000000000011111000000000000(EXECCTRL)"},
      {u".in 32 left auto 8", u"3322222222221111111111 -Bits 24:20 PUSH_THRESHOLD 18 IN_SHIFTDIR 16 AUTOPUSH",
       u"00000000100010010000000000000000(SHIFTCTRL)"},
      {u".set 3", u"3322222222221111111111 -Bits 28:26 SET_COUNT",
       u"00001100000000000000000000000000(PINCTRL)"},
      {u".fifo rx", u"3322222222221111111111 -Bits 31 FJOIN_RX 30 FJOIN_TX",
       u"10000000000011000000000000000000(SHIFTCTRL)"},
      {u".mov_status rxfifo < 3", u"3322222222221111111111 -Bits 4 STATUS_SEL 3:0 STATUS_N",
       u"00000000000000011111000000010011(EXECCTRL)"},
  };
  for (const Row& row : rows) {
    pio_test::Assembler a;
    a.options.showRegs = true;
    Outcome outcome = row.line == u".wrap_target" ? Outcome::listingComment : Outcome::noWord;
    EXPECT_EQ(a.second(row.line), outcome) << std::string(row.line.begin(), row.line.end());
    ASSERT_EQ(a.logs.report.size(), 6u);
    EXPECT_EQ(a.logs.report[1], row.ruler);
    EXPECT_EQ(a.logs.report[4], row.after);
  }
}

TEST(RegisterDisplay, OutPicturesBothRegisters) {
  pio_test::Assembler a;
  a.options.showRegs = true;
  EXPECT_EQ(a.second(u".out 8 left auto 16"), Outcome::noWord);
  ASSERT_EQ(a.logs.report.size(), 12u);
  EXPECT_EQ(a.logs.report[1], u"3322222222221111111111 -Bits 25:20 OUT_COUNT");
  EXPECT_EQ(a.logs.report[4], u"00010100100000000000000000000000(PINCTRL)");
  EXPECT_EQ(a.logs.report[7], u"3322222222221111111111 -Bits 29:25 PULL_THRESHOLD 19 OUT_SHIFTDIR 17 AUTOPULL");
  EXPECT_EQ(a.logs.report[10], u"00100000000001100000000000000000(SHIFTCTRL)");
}

TEST(RegisterDisplay, SideSetPicturesCountAndPindirs) {
  pio_test::Assembler a;
  a.options.showRegs = true;
  EXPECT_EQ(a.second(u".side_set 2 opt pindirs"), Outcome::noWord);
  ASSERT_EQ(a.logs.report.size(), 12u);
  EXPECT_EQ(a.logs.report[1], u"3322222222221111111111 -Bits 31:29");
  EXPECT_EQ(a.logs.report[4], u"01010100000000000000000000000000(PINCTRL)");
  EXPECT_EQ(a.logs.report[7], u"3322222222221111111111 -Bits 29 PINDIRS");
  // The old value already holds the enable bit, which is not pictured itself.
  EXPECT_EQ(a.logs.report[9], u"01000000000000011111000000000000");
  EXPECT_EQ(a.logs.report[10], u"01100000000000011111000000000000(EXECCTRL)");
}

TEST(RegisterDisplay, OffWritesNothing) {
  pio_test::Assembler a;
  EXPECT_EQ(a.second(u".fjoin_tx"), Outcome::directive);
  EXPECT_TRUE(a.logs.report.empty());
}

TEST(RegisterDisplay, UnknownRegisterIsAnInternalFault) {
  pio_test::Assembler a;
  a.options.showRegs = true;
  pio::PioContext ctx = a.context();
  EXPECT_EQ(
      pio::showRegisterChange(ctx, static_cast<pio::RegisterKind>(9), 0x80000000, u"x", u"line"),
      Outcome::noWord);
  EXPECT_EQ(a.logs.report, (Lines{
                               u"line",
                               u"3322222222221111111111 -Bits x",
                               u"10987654321098765432109876543210",
                               u"10000000000000000000000000000000",
                               u"Internal fault - Unknown register passed To writeparmerro",
                               u"",
                           }));
}

}  // namespace
