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
  const pio::BlockLabels& labels = a.pio.symbols.labels[1][2].at(0);
  for (const auto& [name, address] : expected) EXPECT_EQ(labels.find(name), address);
  EXPECT_EQ(*labels.nameAt(12), u"end:");  // the first label at an address names it
  EXPECT_EQ(a.pio.placement.programCounter[1], 14);
  EXPECT_TRUE(a.pio.symbols.labels[0][0].empty());
}

TEST(FirstPass, LinesThatAreNoLabels) {
  Assembler a;
  for (std::u16string_view line : {u"::", u"; note: here", u"' loop:", u"// loop:", u"public", u"*:",
                                   u"jmp x-- loop", u"mov pins :: isr", u"x ; y:"}) {
    a.first(line);
  }
  EXPECT_TRUE(a.pio.symbols.labels[0][0].empty());
  EXPECT_EQ(a.pio.placement.programCounter[0], 2);
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
  EXPECT_EQ(a.pio.symbols.programName, u"Blink_Fast ");
  EXPECT_EQ(a.pio.placement.currentPio, 1);
  EXPECT_EQ(a.pio.placement.currentSm, 3);
  EXPECT_TRUE(a.logs.report.empty());
}

// Each row: first-reading lines, then the address of the label at their end.
TEST(FirstPass, PlacesTheLabelAfterTheLines) {
  struct Row {
    std::vector<std::u16string_view> lines;
    int32_t address;
  } rows[] = {
      {{u".origin 10", u"nop", u".pio 0", u".sm 0"}, 0},  // selecting a machine clears its origin
      {{u"nop", u".pio_version 0", u".smooth 1"}, 1},      // directive names are whole words
      {{u".decode $A042", u"nop"}, 0},                     // decode blocks take no slots
  };
  for (const Row& row : rows) {
    Assembler a;
    for (std::u16string_view line : row.lines) a.first(line);
    a.first(u"here:");
    EXPECT_EQ(pio::findLabel(a.pio, u"here:"), row.address) << row.lines.size() << " lines";
    EXPECT_EQ(a.pio.placement.currentSm, 0);
  }
}

TEST(SecondPass, LabelsAwayFromTheirRecordedAddressAreReported) {
  Assembler twice;
  EXPECT_EQ(twice.words({u"loop: nop", u"loop: nop", u"jmp loop"}),
            (std::vector<int>{0xA042, 0xA042, 0x0000}));
  EXPECT_EQ(twice.logs.report[0], u"loop: nop");
  EXPECT_EQ(twice.logs.report[2], u"       label already defined (loop)");
  // A define given after the origin it sets is unknown to the first reading.
  Assembler late;
  late.assemble({u".origin LATE", u"here: nop", u".define LATE 4"});
  EXPECT_EQ(late.logs.report[2], u"       label moved since the first reading (here)");
  EXPECT_EQ(late.pio.symbols.errorCount, 1);
}

}  // namespace
