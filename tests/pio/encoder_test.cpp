#include "pio/encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"
#include "text/utf8.h"

namespace {

using pio_test::Assembler;

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// One row: an optional side-set directive, the instruction line and the word
// it must give (-3: no word). Words are checked by hand against the RP2040
// layout: opcode in bits 15:13, delay/side-set in 12:8, operands in 7:0.
struct Row {
  std::u16string_view sideSet;
  std::u16string_view line;
  int expected;
};

int assembleOne(const Row& row) {
  Assembler a;
  if (!row.sideSet.empty()) a.second(row.sideSet);
  return a.second(row.line);
}

void checkRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    EXPECT_EQ(assembleOne(row), row.expected)
        << narrow(row.sideSet) << " / " << narrow(row.line);
  }
}

TEST(Encoder, JumpsWithEveryCondition) {
  checkRows({
      {u"", u"jmp 0", 0x0000},          {u"", u"jmp 5", 0x0005},
      {u"", u"jmp !x 1", 0x0021},       {u"", u"jmp x-- 2", 0x0042},
      {u"", u"jmp !y 3", 0x0063},       {u"", u"jmp y-- 4", 0x0084},
      {u"", u"jmp x!=y 5", 0x00A5},     {u"", u"jmp pin 0", 0x00C0},
      {u"", u"jmp !osre 5", 0x00E5},    {u"", u"jmp 31", 0x001F},
      {u"", u"jmp $1F", 0x001F},        {u"", u"jmp 0x1f", 0x001F},
      {u"", u"jmp &H10", 0x0010},       {u"", u"jmp %11", 0x0003},
      {u"", u"jmp 07", 0x0007},         {u"", u"jmp 32", -3},
      {u"", u"jmp -1", -3},             {u"", u"jmp nowhere", 0x0000},
      {u"", u"JMP X--, 9", 0x0049},
  });
}

TEST(Encoder, WaitInOutPushPull) {
  checkRows({
      {u"", u"wait 1 gpio 5", 0x2085},      {u"", u"wait 0 pin 0", 0x2020},
      {u"", u"wait 1 pin 31", 0x20BF},      {u"", u"wait 0 irq 2", 0x2042},
      {u"", u"wait 0 irq 2 rel", 0x2052},   {u"", u"wait 1 irq 7", 0x20C7},
      {u"", u"wait 2 pin 0", -3},           {u"", u"wait 1 gpio 32", -3},
      {u"", u"wait 1 irq 8", -3},           {u"", u"wait 1", -3},
      {u"", u"in pins 32", 0x4000},         {u"", u"in x 1", 0x4021},
      {u"", u"in y 8", 0x4048},             {u"", u"in null 31", 0x407F},
      {u"", u"in isr 4", 0x40C4},           {u"", u"in osr 2", 0x40E2},
      {u"", u"in pins 0", -3},              {u"", u"in pins 33", -3},
      {u"", u"out pins 1", 0x6001},         {u"", u"out x 8", 0x6028},
      {u"", u"out y 32", 0x6040},           {u"", u"out null 3", 0x6063},
      {u"", u"out pindirs 1", 0x6081},      {u"", u"out pc 5", 0x60A5},
      {u"", u"out isr 2", 0x60C2},          {u"", u"out exec 16", 0x60F0},
      {u"", u"push", 0x8020},               {u"", u"push noblock", 0x8000},
      {u"", u"push iffull", 0x8060},        {u"", u"push iffull noblock", 0x8040},
      {u"", u"push noblock iffull", 0x8040}, {u"", u"push iffull block", 0x8060},
      {u"", u"pull", 0x80A0},               {u"", u"pull ifempty", 0x80E0},
      {u"", u"pull noblock", 0x8080},       {u"", u"pull ifempty noblock", 0x80C0},
  });
}

TEST(Encoder, MovIrqSetNopWord) {
  checkRows({
      {u"", u"mov x ~ y", 0xA02A},      {u"", u"mov x ! y", 0xA02A},
      {u"", u"mov pins :: isr", 0xA016}, {u"", u"mov y osr", 0xA047},
      {u"", u"mov isr null", 0xA0C3},   {u"", u"mov exec x", 0xA081},
      {u"", u"mov pc y", 0xA0A2},       {u"", u"mov osr status", 0xA0E5},
      {u"", u"mov pins x", 0xA001},     {u"", u"mov x !y", -3},
      {u"", u"mov", -3},                {u"", u"mov foo x", -3},
      {u"", u"irq 3", 0xC003},          {u"", u"irq set 3", 0xC003},
      {u"", u"irq nowait 3", 0xC003},   {u"", u"irq wait 0 rel", 0xC030},
      {u"", u"irq clear 3", 0xC043},    {u"", u"irq 2 rel", 0xC012},
      {u"", u"irq 9", -3},              {u"", u"irq 8192", -3},
      {u"", u"set pins 1", 0xE001},     {u"", u"set x 31", 0xE03F},
      {u"", u"set y 0", 0xE040},        {u"", u"set pindirs 31", 0xE09F},
      {u"", u"set pins &H1F", 0xE01F},  {u"", u"set pins, 0x1f", 0xE01F},
      {u"", u"set pins 32", -3},        {u"", u"set pins -1", -3},
      {u"", u"set foo 1", -3},          {u"", u"nop", 0xA042},
      {u"", u".word $A042", 0xA042},    {u"", u".word 65535", 0xFFFF},
      {u"", u".word 0x1234", 0x1234},   {u"", u".word -1", -3},
      {u"", u".word 65536", -3},
  });
}

TEST(Encoder, SideSetAndDelayTail) {
  checkRows({
      // No side-set: five delay bits.
      {u"", u"nop side 0 [31]", 0xBF42}, {u"", u"nop [31]", 0xBF42},
      {u"", u"set pins 1 [3]", 0xE301},  {u"", u"nop [32]", -3},
      {u"", u"nop [ 3 ]", 0xA342},       {u"", u"nop side 1", -3},
      // One side-set bit: bit 12, four delay bits.
      {u".side_set 1", u"nop side 1", 0xB042},
      {u".side_set 1", u"nop", -3},
      {u".side_set 1", u"nop side 1 [15]", 0xBF42},
      {u".side_set 1", u"nop side 1 [16]", -3},
      {u".side_set 1", u"nop [7] side 1", 0xB742},
      {u".side_set 1", u"nop side 2", -3},
      {u".side_set 1", u"nop side -1", -3},
      {u".side_set 1", u"push side 1", 0x9020},
      {u".side_set 1", u"push block side 1", 0x9020},
      {u".side_set 1", u"irq wait 0 rel side 1", 0xD030},
      {u".side_set 1", u"irq wait 0 side 1 rel", 0xD030},
      {u".side_set 1", u"wait 0 irq 2 rel side 1", 0x3052},
      // Two bits with the enable bit: bit 12 enables, bit 11 holds the value.
      {u".side_set 2 opt", u"nop", 0xA042},
      {u".side_set 2 opt", u"nop side 1", 0xB842},
      {u".side_set 2 opt", u"nop side 0", 0xB042},
      {u".side_set 2 opt", u"nop side 2", -3},
      {u".side_set 2 opt", u"nop side 1 [7]", 0xBF42},
      {u".side_set 2 opt", u"nop [8]", -3},
      // Five bits leave no delay.
      {u".side_set 5", u"nop side 31", 0xBF42},
      {u".side_set 5", u"nop side 1 [1]", -3},
      {u".side_set 3", u"set x 1 side 5 [3]", 0xF721},
  });
}

TEST(Encoder, EveryInstructionTakesASlotEvenWithAnError) {
  Assembler a;
  a.second(u".origin 4");
  EXPECT_EQ(a.second(u"nop"), 0xA042);
  EXPECT_EQ(a.second(u"set foo 1"), -3);
  EXPECT_EQ(a.second(u"irq 9"), -3);
  EXPECT_EQ(a.pio.programCounter[0], 7);
  EXPECT_EQ(a.pio.pioErrorCount, 2);
}

TEST(Encoder, ErrorsEchoTheLineAndGiveTheirMessage) {
  struct ErrorRow {
    std::u16string_view sideSet;
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
      {u"", u"jmp nowhere", u"       label not resolved nowhere"},
      {u"", u"jmp x-- nowhere", u"       label not resolved -> nowhere"},
      {u"", u"wait 2 pin 0", u"       !!! SYNTAX Error!!"},
      {u"", u"mov x !y", u"      !!! SYNTAX Error!!"},
      {u".side_set 1", u"nop", u"       instruction requires SIDE parameter as SIDESET OPT is not set. (?)"},
      {u".side_set 1", u"push iffull [3]", u"       instruction requires SIDE parameter as SIDESET OPT is not set. (?)"},
      {u".side_set 2", u"nop side 0 [9]", u"       Delay value > allowed maximum of 7 (9)"},
      {u".side_set 2", u"nop side 4", u"       side value too big for allocated bits (4)"},
      {u".side_set 2", u"nop side -1", u"       side value too big for allocated bits (-1)"},
  };
  for (const ErrorRow& row : rows) {
    Assembler a;
    if (!row.sideSet.empty()) a.second(row.sideSet);
    a.logs.report.clear();
    EXPECT_EQ(a.second(row.line) >= 0, row.line == u"jmp nowhere" || row.line == u"jmp x-- nowhere")
        << narrow(row.line);
    ASSERT_GE(a.logs.report.size(), 3u) << narrow(row.line);
    EXPECT_EQ(a.logs.report[0], row.line);
    EXPECT_EQ(a.logs.report[2], row.messageLine) << narrow(row.line);
  }
}

TEST(Encoder, TabIndentedLinesAssemble) {
  Assembler a;
  EXPECT_EQ(a.words({u"\tset pins,\t1", u"\t\tnop\t[2]"}), (std::vector<int>{0xE001, 0xA242}));
}

}  // namespace
