#include "pio/pio_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"
#include "text/lines.h"

namespace {

using Lines = std::vector<std::u16string>;
using pio_test::Reader;

std::u16string padded(std::u16string_view text, size_t width) {
  std::u16string out(text);
  out.resize(width, u' ');
  return out;
}

const std::u16string kEndBanner =
    u"'-------------------------- End of Generated Commands "
    u"------------------------------------------------";

TEST(PioBlocks, BlinkProgramBecomesListingAndCommands) {
  Reader reader;
  std::u16string generated =
      reader.read({{u".program blink", u".pio 0", u".sm 1", u"set pindirs, 1", u"set pins, 1 ' led on"}})
          .front();
  std::u16string tail8 = padded(u"SET PINDIRS &b00001(GP4-GP0)", 48) + u";set pindirs, 1";
  std::u16string tail9 = padded(u"SET PINS &b00001(GP4-GP0)", 48) + u"; led on";
  Lines block = {
      u"",
      u";---Start of Generated Code and Commands---",
      u"' PIO=0 State Machine=1 Program= blink",
      u"",
      u"'--- Generated Instruction Summary ---",
      u"'addr instr  source                      original comments",
      u"'---- ------ ----------------------      -----------------",
      u"'&h00 &hE081 " + tail8,
      u"'&h01 &hE001 " + tail9,
      u"",
      u"'--- MMBasic Commands ---",
      u"PIO PROGRAM LINE 0,&h00,&hE081  '" + tail8,
      u"PIO PROGRAM LINE 0,&h01,&hE001  '" + tail9,
      u"",
      u"SETPIN GP0,PIO0 'SET",
      u"SETPIN GP1,PIO0 'SET",
      u"SETPIN GP2,PIO0 'SET",
      u"SETPIN GP3,PIO0 'SET",
      u"SETPIN GP4,PIO0 'SET",
      u"",
      // Without ".wrap" the program wraps after its last instruction.
      u"PIO INIT MACHINE 0,1,0,&H14000000,&H1000,&HC0000,&H0",
      u"PIO START 0,1",
      u"",
      kEndBanner,
  };
  std::u16string blockText;
  for (size_t i = 0; i < block.size(); ++i) blockText += block[i] + (i + 1 < block.size() ? u"\r\n" : u"");
  std::u16string summary = block[7] + u"\r\n" + block[8] + u"\r\n";
  EXPECT_EQ(generated, summary + u"\r\n" + blockText);
  EXPECT_EQ(reader.logs.report.size(), 1u);  // only the source banner outside PIOCHECK mode
}

TEST(PioBlocks, PioCheckModeEchoesLinesAndTheBlock) {
  Reader reader;
  reader.pioCheck = true;
  std::u16string generated = reader.read({{u".pio 0", u"loop:", u"  nop   ' wait", u"", u"' note",
                                           u"jmp loop", u".nostart"}})
                                 .front();
  Lines report = reader.logs.report;
  ASSERT_EQ(report.size(), 5u);
  EXPECT_EQ(report[0], u".pio 0");
  EXPECT_EQ(report[1], u"loop:");
  EXPECT_EQ(report[2], u"  nop   ' wait");
  EXPECT_EQ(report[3], u"jmp loop");
  // The block text, in one write, is the generated text without the summary copy.
  EXPECT_TRUE(generated.ends_with(report[4]));
  EXPECT_TRUE(report[4].starts_with(u"\r\n;---Start of Generated Code and Commands---"));
  Lines lines = text::splitLines(report[4]);
  EXPECT_EQ(lines[7], u"'&h00 &hA042 " + padded(u"NOP", 48) + u"; wait");
  EXPECT_EQ(lines[8], u"'&h01 &h0000 " + padded(u"JMP loop", 48) + u";jmp loop");
  EXPECT_EQ(lines[11], u";loop:");
  EXPECT_EQ(lines[13], u"PIO PROGRAM LINE 0,&h01,&h0000  '" + padded(u"JMP loop", 48) + u";jmp loop");
  EXPECT_EQ(lines[lines.size() - 3], u"'PIO START 0,0");
}

TEST(PioBlocks, OptionsChangeTheCommands) {
  pio::PasmOptions options;
  pio::applyPasmConfig(options, u"#pasmcfg  nosetpin   noinit NOHINTS nohex, verbose");
  EXPECT_TRUE(options.noSetpin && options.noInit && !options.noHints);
  Reader reader;
  reader.blocks.readOptions(u"#PASMCFG nosetpin noinit nohints");
  Lines lines = reader.readLines({u".set_count 1", u"set pins 1"});
  EXPECT_EQ(lines[0], u"'&h00 &hE001 " + padded(u"SET PINS &b1", 30) + u";set pins 1");
  EXPECT_EQ(lines[14], u"'SETPIN GP0,PIO0 'SET");
  EXPECT_EQ(lines[16], u"'PIO INIT MACHINE 0,0,0,&H4000000,&H0,&HC0000,&H0");
  EXPECT_EQ(lines[17], u"PIO START 0,0");
}

TEST(PioBlocks, LabelAndWrapLinesAreCarriedAsComments) {
  Reader reader;
  Lines lines = reader.readLines({u"start: .wrap_target", u"top: set x 1 ' first", u"loop:",
                                  u" \twait_hi:  jmp top // back", u".wrap"});
  Lines program(lines.begin() + 14, lines.begin() + 20);
  EXPECT_EQ(program, (Lines{
                         u";start: .wrap_target",
                         u";top:",
                         u"PIO PROGRAM LINE 0,&h00,&hE021  '" + padded(u"SET X 1", 48) + u"; first",
                         u";loop:",
                         // A label sharing its line keeps its indentation.
                         u"; \twait_hi:",
                         u"PIO PROGRAM LINE 0,&h01,&h0000  '" + padded(u"JMP start", 48) + u"; back",  // first label at 0
                     }));
  EXPECT_EQ(lines[20], u";.wrap");
}

TEST(PioBlocks, EmptyAndDecodeBlocks) {
  // Neither takes a slot, so neither gets a wrap of its own.
  Reader reader;
  reader.pioCheck = true;
  Lines generated = reader.read({{}, {u".decode $E081", u"set pins 1"}});
  Lines empty = text::splitLines(generated[0]);
  ASSERT_EQ(empty.size(), 21u);  // one empty line and 20 block lines: no summary, no program lines
  EXPECT_EQ(empty[9], u"'--- MMBasic Commands ---");
  EXPECT_EQ(empty[10], u"");
  EXPECT_EQ(empty[11], u"SETPIN GP0,PIO0 'SET");
  Lines decoded = text::splitLines(generated[1]);
  EXPECT_EQ(decoded.size(), 21u);
  // The empty block's text was reported; the decode block's was not.
  Lines& report = reader.logs.report;
  EXPECT_EQ(report.back(), u"SET PINDIRS &b00001(GP4-GP0)  '&h0 .decode $E081");
}

TEST(PioBlocks, SidesetPinsFollowTheDecodedCount) {
  Reader reader;
  Lines lines = reader.readLines({u".side_set 2 opt", u".sideset_base 6", u".set_base 2", u".set_count 1",
                                  u".out_base 3", u".out_count 2", u"nop side 1"});
  EXPECT_EQ(lines[0], u"'&h00 &hB842 " + padded(u"NOP                     SIDE &b1(GP6)", 48) +
                          u";nop side 1");
  Lines setpins(lines.begin() + 14, lines.begin() + 18);
  EXPECT_EQ(setpins, (Lines{u"SETPIN GP2,PIO0 'SET", u"SETPIN GP3,PIO0 'OUT", u"SETPIN GP4,PIO0 'OUT",
                            u"SETPIN GP6,PIO0 'SIDESET"}));
}

TEST(PioBlocks, OutPinsFollowTheOutCount) {
  auto outLines = [](const Lines& lines) {
    size_t count = 0;
    for (const auto& line : lines) count += line.ends_with(u"'OUT") ? 1 : 0;
    return count;
  };
  Reader reader;
  EXPECT_EQ(outLines(reader.readLines({u".out 32 left"})), 32u);
  EXPECT_EQ(outLines(reader.readLines({u".out_count 2147483647"})), 0u);  // refused
  EXPECT_EQ(reader.blocks.errorCount(), 1);
}

TEST(PioBlocks, EachBlockIsOneProgram) {
  Reader reader;
  Lines generated = reader.read({
      {u".pio 0", u".side_set 1", u".set_base 2", u".wrap_target", u"loop:", u"nop side 0", u"jmp loop side 1", u".wrap"},
      {u".pio 0", u".set_base 2", u"nop", u"loop:", u".wrap_target", u"jmp loop", u".wrap"},
      {u".pio 0", u".origin 4", u"nop", u"nop", u"nop"},
      {u".pio 0", u".sm 1", u"nop", u".wrap_target", u"nop", u".sm 2", u"nop", u"nop"},
      {u".pio 0", u".sm 2", u"nop", u"nop", u".sm 1", u"nop", u".wrap_target", u"nop"},
      {u".pio 0", u".sm 1", u"nop", u".sm 3"},
  });
  auto initLine = [&](size_t block) {
    Lines lines = text::splitLines(generated[block]);
    return lines[lines.size() - 4];
  };
  EXPECT_EQ(initLine(0), u"PIO INIT MACHINE 0,0,0,&H34000040,&H1000,&HC0000,&H0");
  // Same bases and wrap as a lone program, no side-set of the first, and its
  // own loop: at 1, not the first's at 0.
  Lines second = text::splitLines(generated[1]);
  EXPECT_TRUE(second[1].starts_with(u"'&h01 &h0001 JMP loop")) << std::string(second[1].begin(), second[1].end());
  EXPECT_EQ(initLine(1), u"PIO INIT MACHINE 0,0,0,&H14000040,&H1080,&HC0000,&H0");
  // Without ".wrap" and ".wrap_target": from the first instruction to the last.
  EXPECT_EQ(initLine(2), u"PIO INIT MACHINE 0,0,0,&H14000000,&H6200,&HC0000,&H4");
  EXPECT_EQ(initLine(3), u"PIO INIT MACHINE 0,2,0,&H14000000,&H3100,&HC0000,&H0");
  EXPECT_EQ(initLine(4),
            u"PIO INIT MACHINE 0,1,0,&H14000000,&H3180,&HC0000,&H0");  // its own .wrap_target kept
  EXPECT_EQ(initLine(5),
            u"PIO INIT MACHINE 0,3,0,&H14000000,&H1F000,&HC0000,&H0");  // no slot, no wrap
  EXPECT_EQ(reader.blocks.errorCount(), 0);
}

TEST(PioBlocks, BothReadingsPlaceABlockWithoutPioAlike) {
  Reader reader;
  Lines generated = reader.read({{u".pio 1", u"nop", u"nop"}, {u"here:", u"jmp here"}});
  Lines second = text::splitLines(generated[1]);
  // The second block runs on from the first's program counter in both readings.
  EXPECT_TRUE(second[0].starts_with(u"'&h02 &h0002 JMP here")) << std::string(second[0].begin(), second[0].end());
  EXPECT_EQ(reader.blocks.errorCount(), 0);
}

TEST(PioBlocks, RestartPutsPlacementBackToTheStart) {
  Reader reader;
  reader.read({{u".pio 1", u".sm 3", u".origin 5", u"nop"}});
  reader.blocks.startBlock(pio::Reading::first);
  EXPECT_TRUE(reader.blocks.inBlock());
  // The first reading generates nothing.
  EXPECT_EQ(reader.blocks.endBlock(pio::Reading::first, base::RunMode::pioCheck), u"");
  reader.blocks.startBlock(pio::Reading::first);
  reader.blocks.restartReading();
  EXPECT_FALSE(reader.blocks.inBlock());
  // Block 0, machine 0, address 0 and origin 0 again, and the first block's labels.
  Lines lines = reader.readLines({u"here:", u"jmp here"});
  EXPECT_EQ(lines[0], u"'&h00 &h0000 " + padded(u"JMP here", 48) + u";jmp here");
  EXPECT_EQ(lines[lines.size() - 4], u"PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HC0000,&H0");
}

// Settings that once slipped past: each block alone, a text its result must
// hold and the errors it gives.
TEST(PioBlocks, SettingsThatOnceSlippedPastAreCaught) {
  Lines thirtyThree(33, u"nop");
  thirtyThree.push_back(u".wrap");
  struct Row {
    Lines lines;
    std::u16string_view holds;
    int errors;
  } rows[] = {
      {{u".fjoin_rx", u".fjoin_rx"}, u",&H14000000,&H1F000,&H800C0000,", 0},  // a flag sets its bit
      {{u".set_base 20", u".set_base 20"}, u",&H14000280,", 1},           // the sum is too wide
      {{u".side_set 5", u".side_set 5", u"nop side 0"}, u",&HB4000000,", 1},
      {thirtyThree, u",&H1F000,", 2},  // nothing spilled before the report
      {{u".frequency 3000000000"}, u"MACHINE 0,0,3000000000,", 0},
      {{u".frequency -5"}, u"MACHINE 0,0,0,", 1},
      {{u"nop", u"% c-sdk {", u"  int x; /* nop", u"%}", u"nop"}, u"&h01,&hA042", 0},
      {{u"% c-sdk {", u"nop"}, u"MACHINE 0,0,0,&H14000000,&H1F000,", 1},  // left open
      {{u".decode &HE001", u".FOO 3"}, u"MACHINE", 1},
  };
  for (const Row& row : rows) {
    Reader reader;
    std::u16string generated = reader.read({row.lines}).front();
    EXPECT_NE(generated.find(row.holds), std::u16string::npos) << std::string(row.holds.begin(), row.holds.end());
    EXPECT_EQ(reader.blocks.errorCount(), row.errors) << std::string(row.holds.begin(), row.holds.end());
  }
  Reader reader;
  Lines named = reader.read({{u".program first", u"nop"}, {u"nop"}});
  EXPECT_NE(named[1].find(u"Program= \r\n"), std::u16string::npos);  // no name carried over
}

TEST(PioBlocks, ErrorsAreCountedAndTheLineGivesNoCommand) {
  Reader reader;
  Lines lines = reader.readLines({u"set foo 1", u"nop"});
  EXPECT_EQ(reader.blocks.errorCount(), 1);
  EXPECT_TRUE(lines[0].starts_with(u"'&h01 &hA042 NOP"));
}

}  // namespace
