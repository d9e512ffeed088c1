#include "pio/directives.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"

namespace {

using pio::Outcome;
using pio_test::Assembler;
using F = pio::Field;

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }
int64_t bits(F field, int64_t value) { return pio::fieldBits(field, value, pio::Chip::rp2040); }

// Each row: directive lines given in order to a fresh state machine, and the
// three register images they must leave.
TEST(Directives, BuildTheRegisterImages) {
  struct Row {
    std::vector<std::u16string_view> lines;
    pio::RegisterImages images;
  } rows[] = {
      {{}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".jmp_pin GP3"}, {0x1F000 + bits(F::jmpPin, 3), 0x14000000, 0xC0000}},
      {{u".out_en_sel 31"}, {0x1F000 + bits(F::outEnSel, 31), 0x14000000, 0xC0000}},
      {{u".inline_out_en 1"}, {0x1F000 + bits(F::inlineOutEn, 1), 0x14000000, 0xC0000}},
      {{u".inline_out_en 0"}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".out_sticky 1"}, {0x1F000 + bits(F::outSticky, 1), 0x14000000, 0xC0000}},
      {{u".status_sel 1"}, {0x1F000 + bits(F::statusSel, 1), 0x14000000, 0xC0000}},
      {{u".status_n 7"}, {0x1F007, 0x14000000, 0xC0000}},
      {{u".sideset_base 5"}, {0x1F000, 0x14000000 + bits(F::sidesetBase, 5), 0xC0000}},
      {{u".set_count 3"}, {0x1F000, bits(F::setCount, 3), 0xC0000}},
      {{u".set_base 2", u".set_base 2"}, {0x1F000, 0x14000000 + bits(F::setBase, 4), 0xC0000}},
      {{u".out_count 8"}, {0x1F000, 0x14000000 + bits(F::outCount, 8), 0xC0000}},
      {{u".out_base &H4"}, {0x1F000, 0x14000004, 0xC0000}},
      {{u".in_base 10"}, {0x1F000, 0x14000000 + bits(F::inBase, 10), 0xC0000}},
      {{u".push_threshold 32"}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".push_threshold 8"}, {0x1F000, 0x14000000, 0xC0000 + bits(F::pushThresh, 8)}},
      {{u".pull_threshold 24"}, {0x1F000, 0x14000000, 0xC0000 + bits(F::pullThresh, 24)}},
      {{u".autopush 1"}, {0x1F000, 0x14000000, 0xD0000}},
      {{u".autopull 1"}, {0x1F000, 0x14000000, 0xE0000}},
      {{u".in_shiftdir 0"}, {0x1F000, 0x14000000, 0x80000}},
      {{u".out_shiftdir 0"}, {0x1F000, 0x14000000, 0x40000}},
      {{u".out_shiftdir 1"}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".fjoin_rx"}, {0x1F000, 0x14000000, 0x800C0000}},
      {{u".fjoin_tx 9"}, {0x1F000, 0x14000000, 0x400C0000}},
      {{u".side_set 1"}, {0x1F000, 0x34000000, 0xC0000}},
      {{u".side_set 2 opt pindirs"}, {0x6001F000, 0x54000000, 0xC0000}},
      {{u".side_set 1 opt"}, {0x4001F000, 0x34000000, 0xC0000}},
      {{u".side_set 1 optional pindirs"}, {0x6001F000, 0x54000000, 0xC0000}},
      {{u".define pin 7", u".jmp_pin pin"}, {0x1F000 + bits(F::jmpPin, 7), 0x14000000, 0xC0000}},
      {{u".define N 3", u".set_base (N * 2)"},
       {0x1F000, 0x14000000 + bits(F::setBase, 6), 0xC0000}},
      // One-line configuration: each sets its fields outright.
      {{u".fifo tx"}, {0x1F000, 0x14000000, 0x400C0000}},
      {{u".fifo rx"}, {0x1F000, 0x14000000, 0x800C0000}},
      {{u".fifo tx", u".fifo TXRX"}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".in 32"}, {0x1F000, 0x14000000, 0xC0000}},
      {{u".in 32 left auto 24"},
       {0x1F000, 0x14000000, 0x80000 + bits(F::autopush, 1) + bits(F::pushThresh, 24)}},
      {{u".out 1"}, {0x1F000, 0x14000000 + bits(F::outCount, 1), 0xC0000}},
      {{u".out 8 left auto 16"},
       {0x1F000, 0x14000000 + bits(F::outCount, 8),
        0x40000 + bits(F::autopull, 1) + bits(F::pullThresh, 16)}},
      {{u".out 32 right manual 32"}, {0x1F000, 0x14000000 + bits(F::outCount, 32), 0xC0000}},
      {{u".set 3"}, {0x1F000, bits(F::setCount, 3), 0xC0000}},
      {{u".mov_status rxfifo<2"}, {0x1F012, 0x14000000, 0xC0000}},
      {{u".mov_status txfifo < 4", u".mov_status txfifo <5"}, {0x1F005, 0x14000000, 0xC0000}},
      {{u".pio_version 0", u".pio_version rp2040", u".lang_opt python x = 1"},
       {0x1F000, 0x14000000, 0xC0000}},
  };
  for (const Row& row : rows) {
    Assembler a;
    for (std::u16string_view line : row.lines) a.second(line);
    const pio::RegisterImages& images = a.pio.registers();
    std::string name = row.lines.empty() ? "start" : narrow(row.lines.back());
    EXPECT_EQ(images.execctrl, row.images.execctrl) << name;
    EXPECT_EQ(images.pinctrl, row.images.pinctrl) << name;
    EXPECT_EQ(images.shiftctrl, row.images.shiftctrl) << name;
  }
}

TEST(Directives, RangeChecksReportAndGiveNoWord) {
  // message: the line after the marker; DIR errors have a heading line first.
  // Nothing changes after any of these but the last, which still sets its
  // count and the enable bit.
  struct Row {
    std::u16string_view line;
    std::u16string_view message;
  } rows[] = {
      {u".status_n 20", u"      .status_n Invalid Value 20 Allowed value: 0-15"},
      {u".inline_out_en 2", u"      .inline_out_en Invalid Value 2 Allowed value: 0-1"},
      {u".out_en_sel 32", u"      .out_en_sel Invalid Value 32 Allowed value: 0-31"},
      {u".out_sticky 3", u"      .out_sticky Invalid Value 3 Allowed value: 0-1"},
      {u".status_sel 2", u"      .status_sel Invalid Value 2 Allowed value: 0-1"},
      {u".push_threshold 33", u"      .push_threshold Invalid Value 33 Allowed value: 1-32"},
      {u".pull_threshold 40", u"      .pull_threshold Invalid Value 40 Allowed value: 1-32"},
      {u".in_shiftdir 2", u"      .in_shiftdir Invalid Value 2 Allowed value: 0-1"},
      {u".out_shiftdir 3", u"      .out_shiftdir Invalid Value 3 Allowed value: 0-1"},
      {u".jmp_pin 32", u"      .jmp_pin Invalid Value 32 Allowed value: 0-31"},
      {u".set_count -1", u"      .set_count Invalid Value -1 Allowed value: 0-5"},
      {u".out_count 2147483647", u"      .out_count Invalid Value 2147483647 Allowed value: 0-32"},
      {u".autopush 2", u"      .autopush Invalid Value 2 Allowed value: 0-1"},
      {u".set_base foo", u"       not a number or valid expression (foo)"},
      {u".in 16", u"      .in Invalid Value 16 Allowed value: 32 (1-31 need the RP2350 and .pio_version 1)"},
      {u".in 32 left auto 0", u"      .in threshold Invalid Value 0 Allowed value: 1-32"},
      {u".out 33", u"      .out Invalid Value 33 Allowed value: 0-32"},
      {u".out 8 left auto 40", u"      .out threshold Invalid Value 40 Allowed value: 1-32"},
      {u".set 6", u"      .set Invalid Value 6 Allowed value: 0-5"},
      {u".fifo Both", u"      .fifo Invalid Value both Allowed value: txrx, tx, rx"},
      {u".fifo TXPUT", u"       .fifo txput needs the RP2350 and .pio_version 1 (txput)"},
      {u".mov_status rxfifo < 16", u"      .mov_status Invalid Value 16 Allowed value: 0-15"},
      {u".mov_status level  3", u"      .mov_status Invalid Value level 3 Allowed value: txfifo < n, rxfifo < n"},
      {u".mov_status irq set 3", u"       .mov_status irq needs the RP2350 and .pio_version 1 (irq)"},
      {u".pio_version 1", u"       .pio_version 1 needs the RP2350, and the block is for the RP2040 (.chip) (1)"},
      {u".pio_version rp2350", u"       .pio_version 1 needs the RP2350, and the block is for the RP2040 (.chip) (rp2350)"},
      {u".chip rp2450", u"      .chip Invalid Value rp2450 Allowed value: rp2040, rp2350"},
      {u".pio_version 2", u"      .pio_version Invalid Value 2 Allowed value: 0-1"},
      {u".clock_div 2.5", u"       .clock_div is not supported, use .frequency (2.5)"},
      {u".Bogus 1", u"       unknown directive (.bogus)"},
      {u".pio 2", u"       .pio 2 needs the RP2350, the chip with a third PIO block (.chip rp2350) (2)"},
      {u".pio 3", u"       .pio has range 0-1 Invalid value  (3)"},
      {u".sm 4", u"       .sm has range 0-3 Invalid value  (4)"},
      {u".sm -1", u"       .sm has range 0-3 Invalid value  (-1)"},
      {u".wrap", u"       .wrap before any instruction (-1)"},
      {u".origin 32", u"       .origin has range 0-31 Invalid value  (32)"},
      {u".side_set 6", u"       .side_set has range 0-5 Invalid value  (6)"},
      {u".side_set 5 optional", u"       .side_set has range 0-5 Invalid value  (5)"},
      {u".side_set 1 opt", u"       .SIDE_SET x opt  must be at least 2 when OPT is used (1)"},
  };
  for (const Row& row : rows) {
    Assembler a;
    pio::LineResult result = a.second(row.line);
    bool changes = row.line == u".side_set 1 opt";
    if (!changes) {
      EXPECT_EQ(result, Outcome::noWord) << narrow(row.line);
    }
    std::vector<std::u16string> expected = {std::u16string(row.line),
                                            u"       ^^^^^^^^^^^^^^ ERROR THIS LINE ^^^^^^^^^^^^^^^^^^^^^^^^^^"};
    if (row.message.find(u"Allowed value") != std::u16string_view::npos) {
      expected.push_back(u"      !!! DIRECTIVE OUT of RANGE!!");
    }
    expected.emplace_back(row.message);
    expected.push_back(u"       -----------------------------------------------------------");
    EXPECT_EQ(a.logs.report, expected) << narrow(row.line);
    EXPECT_EQ(a.pio.registers() != pio::RegisterImages{}, changes) << narrow(row.line);
    EXPECT_EQ(a.pio.block.pins.set.count, 0) << narrow(row.line);
    EXPECT_EQ(a.pio.symbols.errorCount, 1);
  }
}

TEST(Directives, PlacementAndWrap) {
  Assembler a;
  EXPECT_EQ(a.second(u".pio 1"), Outcome::directive);
  EXPECT_EQ(a.second(u".sm 2"), Outcome::directive);
  EXPECT_EQ(a.second(u".origin 4"), Outcome::directive);
  EXPECT_EQ(a.second(u".frequency 2000"), Outcome::directive);
  EXPECT_EQ(a.second(u".wrap_target"), Outcome::listingComment);
  a.second(u"nop");
  a.second(u"nop");
  a.second(u"nop");
  EXPECT_EQ(a.second(u".wrap"), Outcome::listingComment);
  const pio::MachineStart& start = a.pio.symbols.starts[1][2];
  EXPECT_EQ(a.pio.placement.origin[1][2], 4);
  EXPECT_EQ(start.frequency, 2000);
  EXPECT_EQ(a.pio.block.registers[1][2].execctrl, bits(F::wrapTop, 6) + bits(F::wrapBottom, 4));
  EXPECT_EQ(a.pio.placement.programCounter[1], 7);
  EXPECT_EQ(a.logs.log, std::vector<std::u16string>{u".wrap_target 4"});
  EXPECT_EQ(a.second(u".nostart"), Outcome::noWord);
  EXPECT_TRUE(start.nostart);
  // Selecting the machine again clears its placement.
  a.second(u".sm 2");
  EXPECT_FALSE(start.nostart);
  EXPECT_EQ(a.pio.placement.origin[1][2], 0);
}

TEST(Directives, WrapPastTheLastSlotIsReported) {
  Assembler a;
  for (int i = 0; i < 33; ++i) a.second(u"nop");
  a.logs.report.clear();
  EXPECT_EQ(a.second(u".wrap"), Outcome::noWord);
  EXPECT_EQ(a.logs.report[2], u"       .wrap resolves to > 31 (32)");
  a.logs.report.clear();
  EXPECT_EQ(a.second(u".wrap_target"), Outcome::noWord);
  EXPECT_EQ(a.logs.report[2], u"       .wrap_target resolves to > 31 (33)");
}

TEST(Directives, ProgramNameAndBanner) {
  Assembler a;
  EXPECT_EQ(a.second(u"  .program  My_Blink ' the name ; more"), Outcome::directive);
  // Trimmed before the comment is cut off, so the blank before it stays.
  EXPECT_EQ(a.pio.symbols.programName, u"My_Blink ");
  EXPECT_EQ(a.logs.report, std::vector<std::u16string>{
                               u"\r\n'--------------------------------Start of PIO Source Code "
                               u"---------------------------------------------"});
  a.second(u".program x;y");
  EXPECT_EQ(a.pio.symbols.programName, u"x");
  a.second(u".program x//y");
  EXPECT_EQ(a.pio.symbols.programName, u"x");
}

TEST(Directives, DefinesReachDirectiveValues) {
  Assembler a;
  a.first(u".define public SM_NUMBER 3");
  EXPECT_EQ(a.logs.log, (std::vector<std::u16string>{u".define public sm_number 3", u"sm_number 3"}));
  a.second(u".define public SM_NUMBER 3");
  a.second(u".sm SM_NUMBER");
  EXPECT_EQ(a.pio.placement.currentSm, 3);
  a.second(u".define base $10");
  a.second(u".set_base base");
  EXPECT_EQ(a.pio.block.pins.set.base, 16);
  a.second(u".define base 2");  // a later value is in force from here on
  EXPECT_EQ(a.second(u"set pins base"), pio::LineResult::ofWord(0xE002));
  // A value is the rest of the line, read where it is used.
  a.first(u".define public  DELAY  (BASE  + 1)  ' comment");
  EXPECT_EQ(a.logs.log.back(), u"delay (base + 1)");
  a.second(u".define Top DELAY * 2 // unused until here");
  EXPECT_EQ(a.second(u"set x, top"), pio::LineResult::ofWord(0xE026));
  a.second(u".define (a note) *Count 5");
  EXPECT_EQ(a.second(u"set x, count"), pio::LineResult::ofWord(0xE025));
  a.second(u".define bad 1 +");  // reports nothing until it is used
  EXPECT_EQ(a.pio.symbols.errorCount, 0);
}

TEST(Directives, DecodeListsWordsInsteadOfAssembling) {
  Assembler a;
  a.second(u".origin 2");
  EXPECT_EQ(a.second(u".decode &HA042"), Outcome::nothing);
  EXPECT_EQ(a.second(u".decode $E081   //   set   pins"), Outcome::nothing);
  EXPECT_EQ(a.second(u"set pins 1"), Outcome::noWord);
  EXPECT_EQ(a.second(u"whatever"), Outcome::noWord);
  EXPECT_EQ(a.pio.placement.programCounter[0], 2);
  std::vector<std::u16string> expected = {
      u"\r\n'----------------------------------------------------------------------------",
      u"'                 Decoded Instructions ",
      u"'----------------------------------------------------------------------------",
      u"NOP                           '&h2 .decode &HA042",
      // setCount is still 0 outside a block, so the SET shows no pins.
      u"SET PINDIRS &b()              '&h3 set pins",
  };
  EXPECT_EQ(a.logs.report, expected);
}

}  // namespace
