#include "pio/line_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"

namespace {

using Lines = std::vector<std::u16string>;
using pio_test::Assembler;

TEST(FirstPass, RecordsLabelsWhereTheInstructionsWillLand) {
  Assembler a;
  for (std::u16string_view line :
       {u".pio 1", u".sm 2", u".origin 8", u"nop", u"Loop:", u"  set x, 1", u"next: ' comment",
        u"public far: jmp loop", u"\tnop", u"end:", u"*entry: nop ; c", u"spaced : nop", u"first:"}) {
    a.first(line);
  }
  std::vector<std::pair<std::u16string, int32_t>> expected = {
      {u"loop:", 9}, {u"next:", 10}, {u"far:", 10}, {u"end:", 12}, {u"entry:", 12},
      {u"spaced:", 13}, {u"first:", 14}};
  const pio::BlockLabels& labels = a.pio.labels[1][2].at(0);
  for (const auto& [name, address] : expected) EXPECT_EQ(labels.find(name), address);
  EXPECT_EQ(*labels.nameAt(12), u"end:");  // the first label at an address names it
  EXPECT_EQ(a.pio.programCounter[1], 14);
  EXPECT_TRUE(a.pio.labels[0][0].empty());
}

TEST(FirstPass, LinesThatAreNoLabels) {
  Assembler a;
  for (std::u16string_view line : {u"::", u"; note: here", u"' loop:", u"// loop:", u"public", u"*:",
                                   u"jmp x-- loop", u"mov pins :: isr", u"x ; y:"}) {
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
  a.first(u".pio &H1");
  EXPECT_EQ(a.logs.log, (Lines{u".program blink_fast ' name", u".pio 1", u"PIO=1", u".sm 3", u"SM=3",
                               u".pio &h1", u"PIO=1"}));
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
  EXPECT_EQ(pio::findLabel(a.pio, u"here:"), 0);
}

TEST(FirstPass, DirectiveNamesAreWholeWords) {
  Assembler a;
  a.first(u"nop");
  a.first(u".pio_version 0");
  a.first(u".smooth 1");
  a.first(u"at_one:");
  EXPECT_EQ(pio::findLabel(a.pio, u"at_one:"), 1);
  EXPECT_EQ(a.pio.currentSm, 0);
}

TEST(FirstPass, DecodeBlocksTakeNoSlots) {
  Assembler a;
  a.first(u".decode $A042");
  a.first(u"nop");
  EXPECT_EQ(a.pio.programCounter[0], 0);
}

TEST(SecondPass, LabelsAwayFromTheirRecordedAddressAreReported) {
  Assembler twice;
  EXPECT_EQ(twice.assemble({u"loop: nop", u"loop: nop", u"jmp loop"}),
            (std::vector<int>{0xA042, 0xA042, 0x0000}));
  EXPECT_EQ(twice.logs.report[0], u"loop: nop");
  EXPECT_EQ(twice.logs.report[2], u"       label already defined (loop)");
  // A define given after the origin it sets is unknown to the first reading.
  Assembler late;
  late.assemble({u".origin LATE", u"here: nop", u".define LATE 4"});
  EXPECT_EQ(late.logs.report[2], u"       label moved since the first reading (here)");
  EXPECT_EQ(late.pio.pioErrorCount, 1);
}

}  // namespace
