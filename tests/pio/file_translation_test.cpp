#include "pio/file_translation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pio/pio_file.h"
#include "support/recording_logs.h"
#include "text/utf8.h"

namespace {

using testing_support::RecordingLogs;

// Two programs of our own. The words and configuration in the tests below
// are what pioasm 2.2 and the SDK's sm_config_* functions give for them.
constexpr std::u16string_view kPair =
    u"; a pulse train and a byte shifter\n"
    u".define public DELAY 3\n"
    u"\n"
    u".program pulses\n"
    u".side_set 1 opt pindirs\n"
    u".clock_div 2.5\n"
    u".set 2\n"
    u".mov_status txfifo < 1\n"
    u"    pull block            side 0\n"
    u"public loop:\n"
    u"    set pins, 3 [DELAY]   side 1\n"
    u"    jmp x-- loop          /* count down */\n"
    u"    mov x, ~ status\n"
    u".wrap_target\n"
    u"    irq wait 1 rel\n"
    u".wrap\n"
    u"% c-sdk {\n"
    u"static inline void pulses_init(void) {}\n"
    u"%}\n"
    u"\n"
    u".program bytes\n"
    u".origin 8\n"
    u".fifo tx\n"
    u".out 8 left auto 8\n"
    u".in 32 left\n"
    u"top:\n"
    u"    out pins, 8\n"
    u"    jmp !osre top\n"
    u"    .word 0x0009\n";

pio::PioFileTranslation translate(std::u16string_view text, int pioBlock = 0,
                                  std::optional<pio::Chip> chip = std::nullopt) {
  RecordingLogs logs;
  return pio::translatePioFile(std::make_shared<const pio::PioFile>(u"t.pio", text), {pioBlock, chip}, logs);
}

// The lines of text that start with one of the prefixes, in order.
std::vector<std::string> commandLines(const std::u16string& text) {
  std::vector<std::string> out;
  std::string all = text::encodeUtf8(text);
  for (size_t at = 0; at < all.size();) {
    size_t end = all.find("\r\n", at);
    std::string line = all.substr(at, end - at);
    for (const char* prefix : {"PIO PROGRAM LINE", "PIO INIT MACHINE", "'.include"}) {
      if (line.starts_with(prefix)) out.push_back(line.substr(0, line.find("  '")));
    }
    at = end == std::string::npos ? all.size() : end + 2;
  }
  return out;
}

TEST(PioFiles, EveryProgramGivesTheReferenceWordsAndConfiguration) {
  pio::PioFileTranslation out = translate(kPair, 1);
  EXPECT_TRUE(out.errors.empty());
  EXPECT_EQ(commandLines(out.text),
            (std::vector<std::string>{
                "'.include \"t.pio\" pulses",
                "PIO PROGRAM LINE 1,&h00,&h90A0",
                "PIO PROGRAM LINE 1,&h01,&hFB03",
                "PIO PROGRAM LINE 1,&h02,&h0041",
                "PIO PROGRAM LINE 1,&h03,&hA02D",
                "PIO PROGRAM LINE 1,&h04,&hC031",
                "PIO INIT MACHINE 1,0,Val(MM.INFO$(CPUSPEED))/2.5,&H48000000,&H60004201,&HC0000,&H0",
                "'.include \"t.pio\" bytes",
                // At its own origin, where its jumps move with it, the raw JMP word too.
                "PIO PROGRAM LINE 1,&h08,&h6008",
                "PIO PROGRAM LINE 1,&h09,&h00E8",
                "PIO PROGRAM LINE 1,&h0A,&h0011",
                "PIO INIT MACHINE 1,1,Val(MM.INFO$(CPUSPEED)),&H800000,&HA400,&H50020000,&H8",
            }));
  // Without origins the programs lie one after another; a numeric target
  // counts from the program's own first instruction; a define may follow its use.
  out = translate(u".program a\nnop\nnop\n.program b\n.clock_div 3.3\njmp 0\nset x, V\n.define V 3\n");
  EXPECT_EQ(commandLines(out.text).back(),
            "PIO INIT MACHINE 0,1,Val(MM.INFO$(CPUSPEED))/3.296875,&H0,&H3100,&HC0000,&H2");
  EXPECT_EQ(commandLines(out.text)[5], "PIO PROGRAM LINE 0,&h02,&h0002");
  EXPECT_EQ(commandLines(out.text)[6], "PIO PROGRAM LINE 0,&h03,&hE023");
}

// What cannot be placed, and what pioasm refuses, at the file and line.
TEST(PioFiles, RefusedFilesNameTheirLines) {
  std::u16string five;
  for (char16_t p = u'a'; p <= u'e'; ++p) five += u".program " + std::u16string(1, p) + u"\nnop\n";
  std::u16string big = u".program a\n.origin 4\n";
  for (int i = 0; i < 20; ++i) big += u"nop\n";
  struct Row {
    std::u16string text;
    std::vector<pio::PioDiagnostic> errors;
  } rows[] = {
      {five, {{u"t.pio", 9, u"the file holds 5 programs; a PIO block has 4 state machines (e)"}}},
      {big + u".program b\n.origin 0\n" + std::u16string(u"nop\n") + u"nop\nnop\nnop\nnop\n",
       {{u"t.pio", 23, u"the program does not fit at its .origin 0 beside the others (b)"}}},
      {big + u".program b\n" + std::u16string(u"nop\nnop\nnop\nnop\nnop\nnop\nnop\nnop\nnop\n"),
       {{u"t.pio", 23, u"the programs need 29 instructions together; a PIO block holds 32 (b)"}}},
      {u".program a\nset x, 1+1\njmp nowhere\nset y, 40\n.wrap_target\n",
       {{u"t.pio", 2, u"syntax error: expected side, a [delay] or the end of the line (+)"},
        {u"t.pio", 3, u"undefined symbol (nowhere)"},
        {u"t.pio", 4, u"set value out of range 0-31 (40)"},
        {u"t.pio", 5, u".wrap_target cannot be placed after the last program instruction (.wrap_target)"}}},
      {u"nop\n.program a\n.side_set 1\nl:\nl: nop\n.origin 3\nnop side 2\npush\n.fifo tx\n",
       {{u"t.pio", 1, u"an instruction is invalid outside of a program (nop)"},
        {u"t.pio", 5, u"name already defined (l)"},
        {u"t.pio", 6, u".origin must precede any program instructions (.origin)"},
        {u"t.pio", 7, u"side value too big for allocated bits (2)"},
        {u"t.pio", 8, u"instruction requires side: the program's .side_set is not optional (push)"},
        {u"t.pio", 9, u".fifo must precede any program instructions (.fifo)"}}},
      {u".define V 1\n.program a\n.define V 2\nLoop:\njmp loop\nab:\nAB:\nnop side 0\nin status, 1\n.define Ab 1\n",
       {{u"t.pio", 3, u"name already defined (V)"},
        {u"t.pio", 5, u"undefined symbol (loop)"},
        {u"t.pio", 7, u"labels that differ only in case are not supported (AB)"},
        {u"t.pio", 8, u"side without a .side_set is not supported (side)"},
        {u"t.pio", 9, u"in status is not supported: IN has no STATUS source (status)"}}},
      {u".side_set 1\nnop\n",
       {{u"t.pio", 1, u".side_set is invalid outside of a program (.side_set)"},
        {u"t.pio", 2, u"an instruction is invalid outside of a program (nop)"}}},
      {u".program p\nmov pindirs, x\n",
       {{u"t.pio", 2, u"mov pindirs needs the RP2350 and .pio_version 1 (pindirs)"}}},
  };
  for (const Row& row : rows) {
    pio::PioFileTranslation out = translate(row.text);
    EXPECT_EQ(out.errors, row.errors) << text::encodeUtf8(row.text);
  }
  // Built for the RP2350, the SDK assembles a file as version 1 unless it says 0.
  EXPECT_TRUE(translate(u".program p\nmov pindirs, x\n", 0, pio::Chip::rp2350).errors.empty());
  EXPECT_EQ(translate(u".program p\n.pio_version 0\nmov pindirs, x\n", 0, pio::Chip::rp2350).errors.size(), 1u);
  EXPECT_EQ(translate(u".program a\nnop\n", 2).errors,
            (std::vector<pio::PioDiagnostic>{{u"t.pio", 0, u".pio 2 needs the RP2350, the chip with a third PIO block (--chip rp2350)"}}));
}

}  // namespace
