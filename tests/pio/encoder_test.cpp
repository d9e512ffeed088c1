#include "pio/encoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pio/decoder.h"
#include "pio_test_support.h"

namespace {

using pio::LineResult;
using pio::Outcome;
using pio_test::Assembler;

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

constexpr std::nullopt_t kNoWord = std::nullopt;

// One row: lines read before it (directives, labels), the instruction line
// and the word it must give, or kNoWord. Words are checked by hand against
// the RP2040 layout: opcode in 15:13, delay/side-set in 12:8, operands in 7:0.
struct Row {
  std::vector<std::u16string_view> before;
  std::u16string_view line;
  std::optional<uint16_t> expected;
};

LineResult assembleOne(const Row& row) {
  Assembler a;
  for (std::u16string_view line : row.before) a.first(line);
  a.first(row.line);
  a.pio.placement = {};
  for (std::u16string_view line : row.before) a.second(line);
  return a.second(row.line);
}

void checkRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    std::string before = row.before.empty() ? "" : narrow(row.before.back()) + " / ";
    LineResult expected = row.expected ? LineResult::ofWord(*row.expected) : Outcome::noWord;
    EXPECT_EQ(assembleOne(row), expected) << before << narrow(row.line);
  }
}

TEST(Encoder, Jumps) {
  checkRows({
      {{}, u"jmp 0", 0x0000},          {{}, u"jmp 5", 0x0005},
      {{}, u"jmp !x 1", 0x0021},       {{}, u"jmp x-- 2", 0x0042},
      {{}, u"jmp !y 3", 0x0063},       {{}, u"jmp y-- 4", 0x0084},
      {{}, u"jmp x!=y 5", 0x00A5},     {{}, u"jmp pin 0", 0x00C0},
      {{}, u"jmp !osre 5", 0x00E5},    {{}, u"jmp 31", 0x001F},
      {{}, u"jmp $1F", 0x001F},        {{}, u"jmp 0x1f", 0x001F},
      {{}, u"jmp &H10", 0x0010},       {{}, u"jmp %11", 0x0003},
      {{}, u"jmp 07", 0x0007},         {{}, u"jmp 32", kNoWord},
      {{}, u"jmp -1", kNoWord},        {{}, u"jmp nowhere", 0x0000},
      {{}, u"JMP X--, 9", 0x0049},     {{}, u"jmp (x--) 3", 0x0003},
      // Condition words are whole words; anything else is a target.
      {{u".origin 3", u"pin_low:"}, u"jmp pin_low", 0x0003},
      {{u".origin 4", u"os:"}, u"jmp os", 0x0004},
      {{u".origin 6", u"x_done:"}, u"jmp x-- x_done", 0x0046},
      {{u".origin 2", u"loop:"}, u"jmp loop+1", 0x0003},
      {{u".origin 2", u"loop:"}, u"jmp !x (loop + 1)", 0x0023},
      {{u".define T 5"}, u"jmp !y (T*2)", 0x006A},
      {{u".origin 2", u"loop:"}, u"jmp loop + 1", kNoWord},
      {{}, u"jmp y 4", kNoWord},
      // Names differing only in case are one name here: its value cannot be told.
      {{u".define BURST 0", u".origin 5", u"burst:"}, u"jmp !x burst", kNoWord},
      {{u".define BURST 0", u".origin 5", u"burst:"}, u"irq BURST", kNoWord},
  });
}

TEST(Encoder, WaitInOutPushPull) {
  checkRows({
      {{}, u"wait 1 gpio 5", 0x2085},      {{}, u"wait 0 pin 0", 0x2020},
      {{}, u"wait 1 pin 31", 0x20BF},      {{}, u"wait 0 irq 2", 0x2042},
      {{}, u"wait 0 irq 2 rel", 0x2052},   {{}, u"wait 1 irq 7", 0x20C7},
      {{}, u"wait gpio 5", 0x2085},        {{}, u"wait irq 2", 0x20C2},
      {{}, u"wait pin, 3", 0x20A3},        {{}, u"wait (0) gpio 5", 0x2005},
      {{}, u"wait 2 pin 0", kNoWord},      {{}, u"wait 1 gpio 32", kNoWord},
      {{}, u"wait 1 irq 8", kNoWord},      {{}, u"wait 1", kNoWord},
      {{}, u"wait 1 jmppin", kNoWord},     {{}, u"wait 1 irq prev 2", kNoWord},
      {{}, u"in pins 32", 0x4000},         {{}, u"in x 1", 0x4021},
      {{}, u"in y 8", 0x4048},             {{}, u"in null 31", 0x407F},
      {{}, u"in isr 4", 0x40C4},           {{}, u"in osr 2", 0x40E2},
      {{}, u"in pins 0", kNoWord},         {{}, u"in pins 33", kNoWord},
      {{}, u"in x (2 * 4)", 0x4028},       {{}, u"in 8 side 0", kNoWord},
      {{}, u"in status, 8", kNoWord},      {{}, u"out status, 8", kNoWord},
      {{u".define N 8"}, u"out pins, N", 0x6008},
      {{}, u"out pins 1", 0x6001},         {{}, u"out x 8", 0x6028},
      {{}, u"out y 32", 0x6040},           {{}, u"out null 3", 0x6063},
      {{}, u"out pindirs 1", 0x6081},      {{}, u"out pc 5", 0x60A5},
      {{}, u"out isr 2", 0x60C2},          {{}, u"out exec 16", 0x60F0},
      {{}, u"push", 0x8020},               {{}, u"push noblock", 0x8000},
      {{}, u"push iffull", 0x8060},        {{}, u"push iffull noblock", 0x8040},
      {{}, u"push noblock iffull", 0x8040}, {{}, u"push iffull block", 0x8060},
      {{}, u"pull", 0x80A0},               {{}, u"pull ifempty", 0x80E0},
      {{}, u"pull noblock", 0x8080},       {{}, u"pull ifempty noblock", 0x80C0},
      {{}, u"pull [1] noblock", 0x8180},   {{}, u"push ifempty", kNoWord},
  });
}

TEST(Encoder, MovIrqSetNopWord) {
  checkRows({
      {{}, u"mov x ~ y", 0xA02A},       {{}, u"mov x ! y", 0xA02A},
      {{}, u"mov pins :: isr", 0xA016}, {{}, u"mov y osr", 0xA047},
      {{}, u"mov isr null", 0xA0C3},    {{}, u"mov exec x", 0xA081},
      {{}, u"mov pc y", 0xA0A2},        {{}, u"mov osr status", 0xA0E5},
      {{}, u"mov pins x", 0xA001},      {{}, u"mov x !y", 0xA02A},
      {{}, u"mov x, ~y", 0xA02A},       {{}, u"mov x, ::y", 0xA032},
      {{}, u"mov", kNoWord},            {{}, u"mov foo x", kNoWord},
      {{}, u"mov pindirs, x", kNoWord}, {{}, u"mov osr, rxfifo[y]", kNoWord},
      {{}, u"mov rxfifo[0], isr", kNoWord}, {{}, u"mov x, !", kNoWord},
      {{}, u"mov x, pindirs", kNoWord},
      {{}, u"irq 3", 0xC003},           {{}, u"irq set 3", 0xC003},
      {{}, u"irq nowait 3", 0xC003},    {{}, u"irq wait 0 rel", 0xC030},
      {{}, u"irq clear 3", 0xC043},     {{}, u"irq 2 rel", 0xC012},
      {{}, u"irq (3) rel", 0xC013},     {{}, u"irq wait 0 ; wait for release", 0xC020},
      {{}, u"irq 9", kNoWord},          {{}, u"irq 8192", kNoWord},
      {{}, u"irq prev 1", kNoWord},     {{}, u"irq next set 1", kNoWord},
      {{}, u"set pins 1", 0xE001},      {{}, u"set x 31", 0xE03F},
      {{}, u"set y 0", 0xE040},         {{}, u"set pindirs 31", 0xE09F},
      {{}, u"set pins &H1F", 0xE01F},   {{}, u"set pins, 0x1f", 0xE01F},
      {{}, u"set x", 0xE020},           {{}, u"set x, 3;c", 0xE023},
      {{}, u"\tset pins,\t1", 0xE001},   {{}, u"\t\tnop\t[2]", 0xA242},  // tab-indented
      {{}, u"set x, 3 // c", 0xE023},   {{u".define N 4"}, u"set x, (N - 1)", 0xE023},
      {{u".define N 4"}, u"set x, N", 0xE024}, {{u".define N 4"}, u"set x, N - 1", kNoWord},
      {{u".define N 4"}, u"set x, -N", kNoWord}, {{}, u"set x, 1+1", kNoWord},
      {{}, u"set pins 32", kNoWord},    {{}, u"set pins -1", kNoWord},
      {{}, u"set foo 1", kNoWord},      {{}, u"nop", 0xA042},
      {{}, u".word $A042", 0xA042},     {{}, u".word &HA042", 0xA042},
      {{}, u".word 65535", 0xFFFF},     {{}, u".word 0x1234", 0x1234},
      {{}, u".word -1", kNoWord},       {{}, u".word 65536", kNoWord},
      {{}, u"foo x", kNoWord},
  });
}

TEST(Encoder, SideSetAndDelayTail) {
  checkRows({
      // No side-set: five delay bits.
      {{}, u"nop side 0 [31]", 0xBF42}, {{}, u"nop [31]", 0xBF42},
      {{}, u"set pins 1 [3]", 0xE301},  {{}, u"nop [32]", kNoWord},
      {{}, u"nop [ 3 ]", 0xA342},       {{}, u"nop side 1", kNoWord},
      {{}, u"nop []", 0xA042},          {{}, u"nop [1E1]", 0xAA42},
      {{}, u"nop [GP3]", 0xA342},       {{}, u"nop [+3]", 0xA342},
      {{}, u"nop [1E400]", 0xA042},     {{}, u"nop [3]x", kNoWord},
      {{}, u"nop [3", kNoWord},         {{}, u"nop [1/0]", kNoWord},
      {{}, u"nop rel", 0xA042},         {{}, u"nop foo", kNoWord},
      {{u".define T 3"}, u"nop [T - 1]", 0xA242},
      {{u".define CLKDIV 4"}, u"nop [CLKDIV-1]", 0xA342},
      {{u".define T (1 + 1)"}, u"nop [T]", 0xA242},
      {{u".define A B", u".define B A"}, u"nop [A]", kNoWord},
      // One side-set bit: bit 12, four delay bits.
      {{u".side_set 1"}, u"nop side 1", 0xB042},
      {{u".side_set 1"}, u"nop sideset 1", 0xB042},
      {{u".side_set 1"}, u"nop side_set 1", 0xB042},
      {{u".side_set 1"}, u"nop", kNoWord},
      {{u".side_set 1"}, u"nop side 1 [15]", 0xBF42},
      {{u".side_set 1"}, u"nop side 1 [16]", kNoWord},
      {{u".side_set 1"}, u"nop [7] side 1", 0xB742},
      {{u".side_set 1"}, u"nop side 2", kNoWord},
      {{u".side_set 1"}, u"nop side -1", kNoWord},
      {{u".side_set 1"}, u"push side 1", 0x9020},
      {{u".side_set 1"}, u"push block side 1", 0x9020},
      {{u".side_set 1"}, u"irq wait 0 rel side 1", 0xD030},
      {{u".side_set 1"}, u"irq wait 0 side 1 rel", 0xD030},
      {{u".side_set 1"}, u"wait 0 irq 2 rel side 1", 0x3052},
      // Two bits with the enable bit: bit 12 enables, bit 11 holds the value.
      {{u".side_set 2 opt"}, u"nop", 0xA042},
      {{u".side_set 2 opt"}, u"nop side 1", 0xB842},
      {{u".side_set 2 opt"}, u"nop side 0", 0xB042},
      {{u".side_set 2 opt"}, u"nop side 2", kNoWord},
      {{u".side_set 2 opt"}, u"nop side 1 [7]", 0xBF42},
      {{u".side_set 2 opt"}, u"nop [8]", kNoWord},
      {{u".side_set 1 optional"}, u"nop side 1", 0xB842},
      {{u".side_set 1 optional"}, u"nop", 0xA042},
      // Five bits leave no delay.
      {{u".side_set 5"}, u"nop side 31", 0xBF42},
      {{u".side_set 5"}, u"nop side 1 [1]", kNoWord},
      {{u".side_set 3"}, u"set x 1 side 5 [3]", 0xF721},
  });
}

// Version-1 forms in an RP2350 block running version 1, its RX FIFO joined
// for puts and gets unless told: pioasm 2.2's word, and the decoder's text
// for it, which assembles to the word again; then what is refused.
TEST(Encoder, VersionOneFormsGivePioasmWordsAndReadBack) {
  std::optional<Assembler> a;
  auto assemble = [&a](std::u16string_view line, bool joined = true) {
    a.emplace().pio.block = pio::BlockState::forChip(pio::Chip::rp2350);
    a->second(u".pio_version 1");
    a->pio.registers().set({{pio::Field::fjoinRxPut, joined}, {pio::Field::fjoinRxGet, joined}});
    return a->second(line);
  };
  struct { std::u16string_view line; uint16_t word; std::u16string_view decoded; } forms[] = {
      {u"wait 1 jmppin", 0x20E0, u"WAIT 1 JMPPIN"},          {u"wait 0 jmppin + 2", 0x2062, u"WAIT 0 JMPPIN + 2"},
      {u"wait jmppin+3", 0x20E3, u"WAIT 1 JMPPIN + 3"},      {u"wait 1 irq prev 3", 0x20CB, u"WAIT 1 IRQ PREV 3"},
      {u"wait 0 irq next, 7", 0x205F, u"WAIT 0 IRQ NEXT 7"}, {u"wait 1 irq 2 rel", 0x20D2, u"WAIT 1 IRQ 2 REL"},
      {u"wait 1 gpio 40", 0x2088, u"WAIT 1 GPIO 8"},         {u"irq prev 3", 0xC00B, u"IRQ PREV SET 3"},
      {u"irq next nowait 1", 0xC019, u"IRQ NEXT SET 1"},     {u"irq next wait 1", 0xC039, u"IRQ NEXT WAIT 1"},
      {u"irq prev clear 7", 0xC04F, u"IRQ PREV CLEAR 7"},    {u"irq wait 1 rel", 0xC031, u"IRQ WAIT 1 REL"},
      {u"mov pindirs, x", 0xA061, u"MOV PINDIRS X"},         {u"mov pindirs, ::isr", 0xA076, u"MOV PINDIRS :: ISR"},
      {u"mov rxfifo[y], isr", 0x8010, u"MOV RXFIFO[Y] ISR"}, {u"mov rxfifo[ 7 ] isr", 0x801F, u"MOV RXFIFO[7] ISR"},
      {u"mov osr, rxfifo[y]", 0x8090, u"MOV OSR RXFIFO[Y]"}, {u"mov osr, rxfifo[3]", 0x809B, u"MOV OSR RXFIFO[3]"},
  };
  pio::DecodeContext context;
  context.noHints = context.versionOne = true;
  for (const auto& form : forms) {
    EXPECT_EQ(assemble(form.line), LineResult::ofWord(form.word)) << narrow(form.line);
    EXPECT_EQ(pio::decodeInstruction(form.word, context), form.decoded) << narrow(form.line);
    EXPECT_EQ(assemble(form.decoded), LineResult::ofWord(form.word)) << narrow(form.decoded);
  }
  struct { std::u16string_view line, message; bool joined = true; } refused[] = {
      {u"wait 1 jmppin + 4", u"wait jmppin offset out of range 0-3 (4)"},
      {u"wait 1 irq prev 2 rel", u"rel does not go with prev or next (rel)"},
      {u"mov rxfifo[8], isr", u"rxfifo index out of range 0-7 (8)"},
      {u"mov x, rxfifo[y]", u"mov from rxfifo[] goes to osr only (x)"},
      {u"mov rxfifo[y], isr", u"mov rxfifo[] needs .fifo txput or putget (rxfifo[y])", false},
  };
  for (const auto& row : refused) {
    EXPECT_EQ(assemble(row.line, row.joined), Outcome::noWord) << narrow(row.line);
    ASSERT_EQ(a->pio.symbols.diagnostics.size(), 1u) << narrow(row.line);
    EXPECT_EQ(a->pio.symbols.diagnostics[0].message, row.message);
  }
}

TEST(Encoder, EveryInstructionTakesASlotEvenWithAnError) {
  Assembler a;
  a.second(u".origin 30");
  EXPECT_EQ(a.second(u"nop"), LineResult::ofWord(0xA042));
  EXPECT_EQ(a.second(u"set foo 1"), Outcome::noWord);
  EXPECT_EQ(a.pio.symbols.errorCount, 1);
  // Past the instruction memory, a line without another error reports that.
  EXPECT_EQ(a.second(u"nop"), Outcome::noWord);
  EXPECT_EQ(a.logs.report.back(), u"       -----------------------------------------------------------");
  EXPECT_EQ(a.logs.report[a.logs.report.size() - 2], u"       instruction address beyond 31 (32)");
  EXPECT_EQ(a.pio.symbols.errorCount, 2);
  EXPECT_EQ(a.second(u"jmp nowhere"), Outcome::noWord);  // both reported
  EXPECT_EQ(a.pio.symbols.errorCount, 4);
  EXPECT_EQ(a.second(u"irq 9"), Outcome::noWord);  // its own error only
  EXPECT_EQ(a.pio.symbols.errorCount, 5);
  EXPECT_EQ(a.pio.placement.programCounter[0], 35);
}

TEST(Encoder, ErrorsEchoTheLineAndGiveTheirMessage) {
  struct ErrorRow {
    std::u16string_view before;
    std::u16string_view line;
    std::u16string_view messageLine;  // the line after the marker
  } rows[] = {
      {u"", u"jmp 40", u"       jmp target out of range 0-31 (40)"},
      {u"", u"wait 1 gpio 40", u"       wait index out of range 0-31 (40)"},
      {u"", u"wait 1 irq 9", u"       wait irq index out of range 0-7 (9)"},
      {u"", u"in x 0", u"       bit count out of range 1-32 (0)"},
      {u"", u"out x 40", u"       bit count out of range 1-32 (40)"},
      {u"", u"set x 40", u"       set value out of range 0-31 (40)"},
      {u"", u".word 70000", u"       word value out of range 0-65535 (70000)"},
      {u"", u".word 0xFFFF [1]", u"       word value out of range 0-65535 (65791)"},
      {u"", u"wait 2 pin 0", u"       !!! SYNTAX Error!!"},
      {u"", u"mov x !z", u"      !!! SYNTAX Error!!"},
      {u"", u"set x, (N  -  1)", u"       not a number or valid expression ((n - 1))"},
      {u"", u"in 8 side 0", u"       not a number or valid expression (side)"},
      {u"", u"in status, 8", u"       unknown source or destination (status)"},
      {u"", u"nop [1/0]", u"       not a number or valid expression ([1/0])"},
      {u"", u"wait 1 jmppin", u"       wait jmppin needs the RP2350 and .pio_version 1 (jmppin)"},
      {u"", u"wait 1 irq next 2", u"       wait irq next needs the RP2350 and .pio_version 1 (next)"},
      {u"", u"irq prev 1", u"       irq prev needs the RP2350 and .pio_version 1 (prev)"},
      {u"", u"mov pindirs, x", u"       mov pindirs needs the RP2350 and .pio_version 1 (pindirs)"},
      {u"", u"mov osr, RXFIFO[y]", u"       mov rxfifo[] needs the RP2350 and .pio_version 1 (rxfifo[y])"},
      {u"", u"jmp 3 + 1", u"       unexpected word after the operands (+)"},
      {u"", u"Foo x", u"       unknown instruction (foo)"},
      {u".define x_done 3", u"x_done: jmp x_done", u"       name is both a define and a label (x_done)"},
      {u".side_set 1", u"nop", u"       instruction requires SIDE parameter as SIDESET OPT is not set. (?)"},
      {u".side_set 1", u"push iffull [3]", u"       instruction requires SIDE parameter as SIDESET OPT is not set. (?)"},
      {u".side_set 2", u"nop side 0 [9]", u"       Delay value > allowed maximum of 7 (9)"},
      {u".side_set 2", u"nop side 4", u"       side value too big for allocated bits (4)"},
      {u".side_set 2", u"nop side -1", u"       side value too big for allocated bits (-1)"},
  };
  for (const ErrorRow& row : rows) {
    Assembler a;
    a.first(row.line);  // labels come from the first reading
    a.pio.placement = {};
    if (!row.before.empty()) a.second(row.before);
    a.logs.report.clear();
    EXPECT_EQ(a.second(row.line), Outcome::noWord) << narrow(row.line);
    ASSERT_GE(a.logs.report.size(), 3u) << narrow(row.line);
    EXPECT_EQ(a.logs.report[0], row.line);
    EXPECT_EQ(a.logs.report[2], row.messageLine) << narrow(row.line);
    EXPECT_EQ(a.pio.symbols.errorCount, 1) << "one report for " << narrow(row.line);
  }
  // An unresolved label is reported and the word still given, with target 0.
  for (std::u16string_view line : {u"jmp nowhere", u"jmp x-- nowhere", u"jmp pin_x"}) {
    Assembler a;
    EXPECT_EQ(a.second(line).outcome, Outcome::word) << narrow(line);
    std::u16string target(line.substr(line.rfind(u' ') + 1));
    std::u16string arrow = line.find(u"--") != std::u16string_view::npos ? u" ->" : u"";
    EXPECT_EQ(a.logs.report[2], u"       label not resolved" + arrow + u" " + target);
  }
}

}  // namespace
