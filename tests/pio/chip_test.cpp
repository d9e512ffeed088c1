#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"
#include "text/utf8.h"

// Blocks for the RP2350: the chip a block is for, the configuration that PIO
// version 1 adds, the third PIO block and the pins above 31. The register
// values are those the SDK's rp2350 headers give for pioasm's configuration.

namespace {

using Lines = std::vector<std::u16string>;

// The block's MMBasic commands, each listing tail cut off, read as a source
// of its own (after a "#PASMCFG" line when options are given).
Lines commandsOf(const Lines& block, std::u16string_view options = {}) {
  pio_test::Reader reader;
  if (!options.empty()) reader.blocks.readOptions(options);
  Lines commands;
  for (const std::u16string& line : reader.readLines(block)) {
    if (line.starts_with(u"SETPIN") || line.starts_with(u"PIO ")) {
      commands.push_back(line.substr(0, line.find(u"  '")));
    }
  }
  return commands;
}

std::u16string initOf(const Lines& block, std::u16string_view options = {}) {
  for (const std::u16string& command : commandsOf(block, options)) {
    if (command.starts_with(u"PIO INIT MACHINE")) return command;
  }
  return {};
}

std::vector<std::u16string> errorsOf(const Lines& block) {
  pio_test::Reader reader;
  reader.read({block});
  std::vector<std::u16string> errors;
  for (const pio::PioDiagnostic& error : reader.blocks.diagnostics()) errors.push_back(error.message);
  return errors;
}

TEST(Rp2350, VersionOneConfigurationTakesTheRp2350Fields) {
  const std::pair<Lines, std::u16string> rows[] = {
      {{u".fifo txput"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HC8000,&H0"},
      {{u".fifo txget"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HC4000,&H0"},
      {{u".fifo putget"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HCC000,&H0"},
      {{u".in 5 left auto 16"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&H1090005,&H0"},
      {{u".in 32"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HC0000,&H0"},
      {{u".mov_status irq set 3"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H43,&HC0000,&H0"},
      {{u".mov_status irq prev set 1"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H49,&HC0000,&H0"},
      {{u".mov_status irq next set 7"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H57,&HC0000,&H0"},
      {{u".mov_status rxfifo < 20"}, u"PIO INIT MACHINE 0,0,0,&H14000000,&H34,&HC0000,&H0"},
  };
  for (const auto& [lines, init] : rows) {
    Lines block = {u".pio_version 1"};
    block.insert(block.end(), lines.begin(), lines.end());
    block.push_back(u"nop");
    EXPECT_EQ(initOf(block), init) << text::encodeUtf8(lines[0]);
  }
  // The RX FIFO's entries lent to put or get leave autopush nothing to push to.
  EXPECT_EQ(errorsOf({u".pio_version 1", u".fifo putget", u".in 32 left auto"}),
            (std::vector<std::u16string>{u"autopush is incompatible with .fifo txput, txget or putget (auto)"}));
}

// The same line gives other bits on the RP2350, however the chip is chosen.
TEST(Rp2350, TheChipOfABlockLaysOutItsFields) {
  const Lines plain = {u".mov_status rxfifo < 2", u"nop"};
  EXPECT_EQ(initOf(plain), u"PIO INIT MACHINE 0,0,0,&H14000000,&H12,&HC0000,&H0");
  const std::u16string rp2350 = u"PIO INIT MACHINE 0,0,0,&H14000000,&H22,&HC0000,&H0";
  EXPECT_EQ(initOf({u".chip rp2350", u".mov_status rxfifo < 2", u"nop"}), rp2350);
  EXPECT_EQ(initOf({u".mov_status rxfifo < 2", u".pio_version rp2350", u"nop"}), rp2350);
  EXPECT_EQ(initOf(plain, u"#PASMCFG rp2350"), rp2350);
  EXPECT_EQ(initOf({u".chip rp2040", u".mov_status rxfifo < 2", u"nop"}, u"#PASMCFG rp2350"),
            u"PIO INIT MACHINE 0,0,0,&H14000000,&H12,&HC0000,&H0");

  // The last .pio_version counts, as in pioasm.
  EXPECT_EQ(initOf({u".pio_version 1", u".pio_version 0", u".mov_status rxfifo < 2", u"nop"}),
            u"PIO INIT MACHINE 0,0,0,&H14000000,&H12,&HC0000,&H0");
  EXPECT_EQ(errorsOf({u".chip rp2040", u".pio_version 1", u".pio_version 0"}), std::vector<std::u16string>{});
  EXPECT_EQ(errorsOf({u".chip rp2040", u".pio_version 1"}),
            (std::vector<std::u16string>{
                u".pio_version 1 needs the RP2350, and the block is for the RP2040 (.chip) (1)"}));
  EXPECT_EQ(errorsOf({u".chip rp2350", u".mov_status rxfifo < 32", u".in 5", u"wait 1 jmppin"}),
            (std::vector<std::u16string>{
                u".mov_status Invalid Value 32 Allowed value: 0-31",
                u".in Invalid Value 5 Allowed value: 32 (1-31 need the RP2350 and .pio_version 1)",
                u"wait jmppin needs the RP2350 and .pio_version 1 (jmppin)"}));
}

TEST(Rp2350, TheThirdPioBlockAndPinsAboveThirtyOne) {
  EXPECT_EQ(commandsOf({u".chip rp2350", u".pio 2", u".sm 3", u".set_base 40",
                                u".set_count 2", u".jmp_pin 33", u"set pins, 3"}),
            (Lines{u"PIO PROGRAM LINE 2,&h00,&hE003", u"SETPIN GP40,PIO2 'SET",
                   u"SETPIN GP41,PIO2 'SET", u"PIO SET BASE 2,16",
                   u"PIO INIT MACHINE 2,3,0,&H8000300,&H11000000,&HC0000,&H0", u"PIO START 2,3"}));
  // A GPIO in a word counts from the base too, and so do the default SET pins.
  EXPECT_EQ(commandsOf({u".pio_version 1", u".in_base 40", u"wait 1 gpio 44", u"wait 1 pin 2"}),
            (Lines{u"PIO PROGRAM LINE 0,&h00,&h209C", u"PIO PROGRAM LINE 0,&h01,&h20A2",
                   u"SETPIN GP16,PIO0 'SET", u"SETPIN GP17,PIO0 'SET", u"SETPIN GP18,PIO0 'SET",
                   u"SETPIN GP19,PIO0 'SET", u"SETPIN GP20,PIO0 'SET", u"PIO SET BASE 0,16",
                   u"PIO INIT MACHINE 0,0,0,&H140C0000,&H1000,&HC0000,&H0", u"PIO START 0,0"}));
  // Without a pin above 31 the block still sets the base its fields count from.
  EXPECT_EQ(commandsOf({u".chip rp2350", u".set_count 0", u"nop"}),
            (Lines{u"PIO PROGRAM LINE 0,&h00,&hA042", u"PIO SET BASE 0,0",
                   u"PIO INIT MACHINE 0,0,0,&H0,&H0,&HC0000,&H0", u"PIO START 0,0"}));

  EXPECT_EQ(errorsOf({u".chip rp2350", u".set_base 40", u".out_base 3", u".in_base 48"}),
            (std::vector<std::u16string>{
                u".out_base GP3 is out of reach: a pin above 31 in the block moves PIO 0 to GP16-GP47 (GP3)",
                u".in_base Invalid Value 48 Allowed value: 0-47"}));
  // The RP2040 has neither, and says so as it always has.
  EXPECT_EQ(errorsOf({u".set_base 40", u".pio 2"}),
            (std::vector<std::u16string>{
                u".set_base Invalid Value 40 Allowed value: 0-31",
                u".pio 2 needs the RP2350, the chip with a third PIO block (.chip rp2350) (2)"}));
}

}  // namespace
