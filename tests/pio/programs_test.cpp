// Whole programs, their words worked out by hand from the RP2040 instruction
// layout (opcode 15:13, side-set and delay 12:8, operands 7:0).

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pio/file_translation.h"
#include "pio/pio_file.h"
#include "pio_test_support.h"
#include "text/lines.h"

namespace {

using pio_test::Assembler;
using Words = std::vector<int>;
using F = pio::Field;

int64_t bits(F field, int64_t value) { return pio::fieldBits(field, value, pio::Chip::rp2040); }

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
  const pio::RegisterImages& config = a.pio.registers();
  EXPECT_EQ(config.execctrl, bits(F::wrapTop, 3));       // wrap 3, target 0
  EXPECT_EQ(config.pinctrl, 0x34000000);                 // one side-set bit, 5 SET pins
  EXPECT_EQ(config.shiftctrl, 0x40000 + bits(F::autopull, 1) + bits(F::pullThresh, 24));
  EXPECT_EQ(a.pio.symbols.errorCount, 0);
}

TEST(Programs, UartReceiver) {
  Assembler a;
  Words words = a.words({
      u".program uart_rx",
      u".define T 8",
      u".fifo rx                 ; both FIFOs for receiving",
      u".in 32 right manual 8",
      u"start:",
      u"    wait 0 pin 0          ' stall until the start bit",
      u"    set x, 7    [T + T / 2 - 2] ; halfway into the first data bit",
      u"bitloop:",
      u"    in pins, 1",
      u"    jmp x-- bitloop [T - 2]",
      u"    jmp pin good_stop     // stop bit must be high",
      u"    irq 4 rel             ; framing error or break",
      u"    wait 1 pin 0",
      u"    jmp start",
      u"good_stop:",
      u"    push",
  });
  EXPECT_EQ(words, (Words{0x2020, 0xEA27, 0x4001, 0x0642, 0x00C8, 0xC014, 0x20A0, 0x0000, 0x8020}));
  // RX joined, IN shifting right, push threshold 8.
  EXPECT_EQ(a.pio.registers().shiftctrl, 0x80000000 + 0x80000 + 0x40000 + bits(F::pushThresh, 8));
  EXPECT_EQ(a.pio.symbols.errorCount, 0);
}

TEST(Programs, SpiWithAutomaticShifts) {
  Assembler a;
  Words words = a.words({
      u".program spi_cpha1",
      u".side_set 1",
      u".out 1 left auto 8    ; MOSI, most significant bit first",
      u".in 32 left auto 8    ; MISO",
      u".fifo txrx",
      u".wrap_target",
      u"    out x, 1    side 0     ; stall here on empty, SCK low",
      u"    mov pins, x side 1 [1] ; data out, SCK high",
      u"    in pins, 1  side 0     ; data in, SCK low",
      u".wrap",
  });
  // out x 1: 011 0 0000 001 00001; mov pins x: 101 1 0001 000 00001;
  // in pins 1: 010 0 0000 000 00001.
  EXPECT_EQ(words, (Words{0x6021, 0xB101, 0x4001}));
  const pio::RegisterImages& config = a.pio.registers();
  EXPECT_EQ(config.execctrl, bits(F::wrapTop, 2));  // wrap 2, target 0
  EXPECT_EQ(config.pinctrl, 0x14000000 + bits(F::sidesetCount, 1) + bits(F::outCount, 1));
  // Thresholds 8, autopull and autopush, both shifting left.
  EXPECT_EQ(config.shiftctrl, bits(F::pullThresh, 8) + bits(F::pushThresh, 8) +
                                  bits(F::autopull, 1) + bits(F::autopush, 1));
  EXPECT_EQ(a.pio.block.pins.out.count, 1);
}

TEST(Programs, TwoProgramsShareOneStateMachine) {
  pio_test::Reader reader;
  std::vector<std::u16string> generated = reader.read({
      {u".program blink", u".pio 0", u".sm 0", u".set 1", u"    set pindirs, 1", u"loop:",
       u"    set pins, 1 [31]", u"    set pins, 0 [31]", u"    jmp loop"},
      {u".program pwm", u".pio 0", u".sm 0", u".origin 4", u".side_set 2 opt",
       u"    pull noblock    side 0 ' new level if there is one, else keep X", u"    mov x, osr",
       u"    mov y, isr             ' ISR holds the period", u"countloop:", u"    jmp x!=y noset",
       u"    jmp skip        side 1", u"noset:", u"    nop", u"skip:", u"    jmp y-- countloop"},
  });
  auto programLines = [](const std::u16string& text) {
    std::vector<std::u16string> lines;
    for (const auto& line : text::splitLines(text)) {
      if (line.starts_with(u"PIO PROGRAM LINE") || line.starts_with(u"PIO INIT")) {
        lines.push_back(line.substr(0, line.find(u"  '")));
      }
    }
    return lines;
  };
  // set pins 1 [31]: 111 11111 000 00001; jmp 1: 000 00000 000 00001.
  EXPECT_EQ(programLines(generated[0]), (std::vector<std::u16string>{
                                            u"PIO PROGRAM LINE 0,&h00,&hE081",
                                            u"PIO PROGRAM LINE 0,&h01,&hFF01",
                                            u"PIO PROGRAM LINE 0,&h02,&hFF00",
                                            u"PIO PROGRAM LINE 0,&h03,&h0001",
                                            // one SET pin; wraps from 3 to 0
                                            u"PIO INIT MACHINE 0,0,0,&H4000000,&H3000,&HC0000,&H0",
                                        }));
  // Its own labels from 4 on; the enable bit is bit 12, the side value bit 11.
  EXPECT_EQ(programLines(generated[1]), (std::vector<std::u16string>{
                                            u"PIO PROGRAM LINE 0,&h04,&h9080",
                                            u"PIO PROGRAM LINE 0,&h05,&hA027",
                                            u"PIO PROGRAM LINE 0,&h06,&hA046",
                                            u"PIO PROGRAM LINE 0,&h07,&h00A9",
                                            u"PIO PROGRAM LINE 0,&h08,&h180A",
                                            u"PIO PROGRAM LINE 0,&h09,&hA042",
                                            u"PIO PROGRAM LINE 0,&h0A,&h0087",
                                            // five SET pins again, not the first's one
                                            u"PIO INIT MACHINE 0,0,0,&H54000000,&H4000A200,&HC0000,&H4",
                                        }));
  EXPECT_EQ(reader.blocks.errorCount(), 0);
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
  const pio::RegisterImages& config = a.pio.block.registers[1][2];
  EXPECT_EQ(config.execctrl, bits(F::wrapTop, 22) + bits(F::wrapBottom, 16));
  EXPECT_EQ(config.pinctrl, 0x14000000 + bits(F::inBase, 10));
  EXPECT_EQ(a.pio.placement.programCounter[1], 23);
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
  std::vector<pio::LineResult> results = a.assemble({
      u".pio_version 0",
      u"nop",
      u"label_two:",
      u"\tnop",
      u"jmp label_two",
  });
  auto word = pio::LineResult::ofWord;
  EXPECT_EQ(results,
            (std::vector<pio::LineResult>{pio::Outcome::directive, word(0xA042),
                                          pio::Outcome::listingComment, word(0xA042), word(1)}));
}

// A .pio file of version-1 forms, read by pioasm's grammar, gives pioasm 2.2's words.
TEST(Programs, VersionOneFormsInAPioFile) {
  testing_support::RecordingLogs logs;
  auto file = std::make_shared<const pio::PioFile>(u"v1.pio", u".program n\n.pio_version 1\n.side_set 1 opt\n"
      u".define N 2\ntop:\nwait 1 jmppin + N side 1\nwait 0 irq prev, 3 [2]\nirq next wait (N - 1)\n"
      u"mov pindirs, ~x side 0 [1]\njmp top\n");
  std::u16string words;
  for (const std::u16string& line : text::splitLines(pio::translatePioFile(file, {}, logs).text)) {
    if (line.starts_with(u"PIO PROGRAM LINE")) words += line.substr(26, 5);
  }
  EXPECT_EQ(words, u"38E2 224B C039 B169 0000 ");
}

}  // namespace
