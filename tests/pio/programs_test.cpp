// Whole programs, their words worked out by hand from the RP2040 instruction
// layout (opcode 15:13, side-set and delay 12:8, operands 7:0).

#include <gtest/gtest.h>

#include <vector>

#include "pio_test_support.h"

namespace {

using pio_test::Assembler;
using Words = std::vector<int>;

TEST(Programs, Ws2812Driver) {
  Assembler a;
  Words words = a.words({
      u".program ws2812",
      u".side_set 1",
      u".out_shiftdir 0",
      u".autopull 1",
      u".pull_threshold 24",
      u".wrap_target",
      u"bitloop:",
      u"    out x, 1       side 0 [2] ' shift one bit out, line low",
      u"    jmp !x do_zero side 1 [1] ' line high; a 0 bit ends early",
      u"do_one:",
      u"    jmp  bitloop   side 1 [4] ' a 1 bit stays high longer",
      u"do_zero:",
      u"    nop            side 0 [4]",
      u".wrap",
  });
  // out x,1: 011 0 0010 001 00001; jmp !x 3: 000 1 0001 001 00011;
  // jmp 0: 000 1 0100 000 00000; nop: 101 0 0100 010 00010.
  EXPECT_EQ(words, (Words{0x6221, 0x1123, 0x1400, 0xA442}));
  const pio::StateMachineConfig& config = a.pio.config();
  EXPECT_EQ(config.execctrl, 3 << 12);                   // wrap 3, target 0
  EXPECT_EQ(config.pinctrl, 0x34000000);                 // one side-set bit, 5 SET pins
  EXPECT_EQ(config.shiftctrl, 0x40000 + (1 << 17) + (24 << 25));
  EXPECT_EQ(a.pio.pioErrorCount, 0);
}

TEST(Programs, UartTransmitter) {
  Assembler a;
  Words words = a.words({
      u".program uart_tx",
      u".side_set 2 opt",
      u"    pull       side 1 [7] ' stop bit, wait for data",
      u"    set x, 7   side 0 [7] ' start bit, eight bits to go",
      u"bitloop:",
      u"    out pins, 1",
      u"    jmp x-- bitloop   [6]",
  });
  // pull: 100 1 1 111 10100000; set x 7: 111 1 0 111 00100111;
  // out pins 1: 011 00000 00000001; jmp x-- 2: 000 00110 01000010.
  EXPECT_EQ(words, (Words{0x9FA0, 0xF727, 0x6001, 0x0642}));
  EXPECT_EQ(a.pio.config().execctrl, 0x4001F000);
  EXPECT_EQ(a.pio.config().pinctrl, 0x54000000);
}

TEST(Programs, UartReceiver) {
  Assembler a;
  Words words = a.words({
      u".program uart_rx",
      u"start:",
      u"    wait 0 pin 0        ' stall until the start bit",
      u"    set x, 7    [10]    ' halfway into the first data bit",
      u"bitloop:",
      u"    in pins, 1",
      u"    jmp x-- bitloop [6]",
      u"    jmp pin good_stop   ' stop bit must be high",
      u"    irq 4 rel           ' framing error or break",
      u"    wait 1 pin 0",
      u"    jmp start",
      u"good_stop:",
      u"    push",
  });
  EXPECT_EQ(words, (Words{0x2020, 0xEA27, 0x4001, 0x0642, 0x00C8, 0xC014, 0x20A0, 0x0000, 0x8020}));
  EXPECT_EQ(a.pio.pioErrorCount, 0);
}

TEST(Programs, Pwm) {
  Assembler a;
  Words words = a.words({
      u".program pwm",
      u".side_set 2 opt",
      u"    pull noblock    side 0 ' new level if there is one, else keep X",
      u"    mov x, osr",
      u"    mov y, isr             ' ISR holds the period",
      u"countloop:",
      u"    jmp x!=y noset",
      u"    jmp skip        side 1",
      u"noset:",
      u"    nop",
      u"skip:",
      u"    jmp y-- countloop",
  });
  EXPECT_EQ(words, (Words{0x9080, 0xA027, 0xA046, 0x00A5, 0x1806, 0xA042, 0x0083}));
}

TEST(Programs, QuadratureDecoderOnTheSecondBlock) {
  Assembler a;
  Words words = a.words({
      u".program quadrature",
      u".pio 1",
      u".sm 2",
      u".origin 16",
      u".in_base 10",
      u".wrap_target",
      u"sample:",
      u"    mov isr, null     ' clear the shift register",
      u"    in pins, 2        ' read A and B",
      u"    mov x, isr",
      u"    jmp x!=y changed",
      u"    jmp sample",
      u"changed:",
      u"    mov y, x          ' remember the new state",
      u"    push noblock",
      u".wrap",
  });
  // Labels land at origin + slot: sample 16, changed 21.
  EXPECT_EQ(words, (Words{0xA0C3, 0x4002, 0xA026, 0x00B5, 0x0010, 0xA041, 0x8000}));
  const pio::StateMachineConfig& config = a.pio.stateMachines[1][2];
  EXPECT_EQ(config.execctrl, (22 << 12) + (16 << 7));
  EXPECT_EQ(config.pinctrl, 0x14000000 + (10 << 15));
  EXPECT_EQ(a.pio.programCounter[1], 23);
}

TEST(Programs, LabelsSharingALineWithAnInstruction) {
  Assembler a;
  Words words = a.words({
      u"public entry: set x 1 ' c",
      u"loop:set y 2",
      u"  again:  jmp loop",
      u"jmp entry",
      u"jmp again",
      u"jmp LOOP",
  });
  EXPECT_EQ(words, (Words{0xE021, 0xE042, 0x0001, 0x0000, 0x0002, 0x0001}));
}

TEST(Programs, SingleLetterLabelsAndDefines) {
  Assembler a;
  Words words = a.words({
      u".define public LED 25",
      u".define WAIT_TIME 7",
      u"a:",
      u"  set pins, LED",
      u"  set x, WAIT_TIME [WAIT_TIME]",
      u"  jmp a",
      u"  jmp !y a",
  });
  EXPECT_EQ(words, (Words{0xE019, 0xE727, 0x0000, 0x0060}));
}

TEST(Programs, InstructionCountsMatchBetweenPasses) {
  Assembler a;
  std::vector<int> results = a.assemble({
      u".pio_version 0",
      u"nop",
      u"label_two:",
      u"\tnop",
      u"jmp label_two",
  });
  EXPECT_EQ(results, (std::vector<int>{-1, 0xA042, -4, 0xA042, 0x0001}));
}

}  // namespace
