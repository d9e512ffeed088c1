#include "pio/first_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"

namespace {

using Lines = std::vector<std::u16string>;
using pio_test::Assembler;

TEST(FirstPass, RecordsLabelsWhereTheInstructionsWillLand) {
  Assembler a;
  for (std::u16string_view line : {u".pio 1", u".sm 2", u".origin 8", u"nop", u"Loop:", u"  set x, 1",
                                   u"next: ' comment", u"public far: jmp loop", u"\tnop", u"end:"}) {
    a.first(line);
  }
  const auto& labels = a.pio.labels[1][2];
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[0].name, u"loop:");
  EXPECT_EQ(labels[0].address, 9);
  EXPECT_EQ(labels[1].name, u"next:");
  EXPECT_EQ(labels[1].address, 10);
  EXPECT_EQ(labels[2].name, u"far:");
  EXPECT_EQ(labels[2].address, 10);
  EXPECT_EQ(labels[3].address, 12);
  EXPECT_EQ(a.pio.programCounter[1], 4);
  EXPECT_TRUE(a.pio.labels[0][0].empty());
}

TEST(FirstPass, LinesThatAreNoLabels) {
  Assembler a;
  for (std::u16string_view line : {u"::", u"; note: here", u"' loop:", u"public", u"jmp x-- loop", u"mov pins :: isr"}) {
    a.first(line);
  }
  EXPECT_TRUE(a.pio.labels[0][0].empty());
  EXPECT_EQ(a.pio.programCounter[0], 2);
}

TEST(FirstPass, LogsPlacementAndIgnoresValuesOutOfRange) {
  Assembler a;
  a.first(u".pio 2");
  a.first(u".sm 7");
  EXPECT_TRUE(a.logs.log.empty());
  a.first(u".program  Blink_Fast ' name");
  a.first(u".pio 1");
  a.first(u".SM 3");
  EXPECT_EQ(a.logs.log, (Lines{u".program blink_fast ' name", u".pio 1", u"PIO=1", u".sm 3", u"SM=3"}));
  EXPECT_EQ(a.pio.programName, u"Blink_Fast ");
  EXPECT_EQ(a.pio.currentPio, 1);
  EXPECT_EQ(a.pio.currentSm, 3);
  EXPECT_TRUE(a.logs.report.empty());
}

TEST(FirstPass, SelectingAMachineClearsItsOrigin) {
  Assembler a;
  a.first(u".origin 10");
  a.first(u"nop");
  a.first(u".pio 0");
  a.first(u".sm 0");
  a.first(u"here:");
  EXPECT_EQ(a.pio.labels[0][0].back().address, 0);
}

TEST(FirstPass, DirectiveNamesAreWholeWords) {
  Assembler a;
  a.first(u"nop");
  a.first(u".pio_version 0");
  a.first(u".smooth 1");
  a.first(u"at_one:");
  EXPECT_EQ(a.pio.labels[0][0].back().address, 1);
  EXPECT_EQ(a.pio.currentSm, 0);
}

TEST(FirstPass, DecodeBlocksTakeNoSlots) {
  Assembler a;
  a.first(u".decode $A042");
  a.first(u"nop");
  EXPECT_EQ(a.pio.programCounter[0], 0);
}

}  // namespace
