#include "pio/decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pio::DecodeContext;
using pio::decodeInstruction;

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

struct Row {
  uint16_t word;
  std::u16string_view text;
};

void checkRows(const DecodeContext& context, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    EXPECT_EQ(decodeInstruction(row.word, context), row.text) << std::hex << row.word;
  }
}

TEST(Decoder, EveryInstructionWithoutSideSet) {
  DecodeContext c;  // reset registers, five SET pins from GP0
  pio::BlockLabels labels;
  labels.add(u"loop:", 3);
  c.labels = &labels;
  c.pins.inBase = 8;
  c.pins.out = {2, 3};
  c.registers.execctrl += pio::fieldBits(pio::Field::jmpPin, 7, pio::Chip::rp2040);
  checkRows(c, {
      {0xE081, u"SET PINDIRS &b00001(GP4-GP0)"},
      {0xE101, u"SET PINS &b00001(GP4-GP0)[1]"},
      {0xE03F, u"SET X 31"},
      {0xA042, u"NOP"},
      {0xA022, u"MOV X Y"},
      {0xA02A, u"MOV X ! Y"},
      {0xA016, u"MOV PINS :: ISR"},
      {0xA0E5, u"MOV OSR STATUS"},
      {0xA04C, u"MOV Y !"},
      {0xA05B, u"MOV Y NULL"},
      {0x0005, u"JMP 5"},
      {0x0003, u"JMP loop"},
      {0x0043, u"JMP X-- loop"},
      {0x00C4, u"JMP PIN 4 'GP7"},
      {0x00E0, u"JMP !OSRE 0"},
      {0x6028, u"OUT X 8"},
      {0x6000, u"OUT PINS 32(GP4-GP2)"},
      {0x6081, u"OUT PINDIRS 1(GP4-GP2)"},
      {0x60F0, u"OUT EXEC 16"},
      {0x4001, u"IN PINS 1(GP8)"},
      {0x4002, u"IN PINS 2(GP9,GP8)"},
      {0x40C0, u"IN ISR 32"},
      {0x4081, u"IN   1"},
      {0x8020, u"PUSH BLOCK"},
      {0x8000, u"PUSH NOBLOCK"},
      {0x8060, u"PUSH IFFULL  BLOCK"},
      {0x80E0, u"PULL IFEMPTY  BLOCK"},
      {0x8080, u"PULL NOBLOCK"},
      {0xC001, u"IRQ NOWAIT 1"},
      {0xC030, u"IRQ WAIT 0 REL"},
      {0xC043, u"IRQ CLEAR 3"},
      {0x208C, u"WAIT 1 GPIO 12(GP12)"},
      {0x2021, u"WAIT 0 PIN 1(GP9)"},
      {0x2052, u"WAIT 0 IRQ 2 REL"},
      {0x2065, u"WAIT 0 RESERVED 5"},
      {0xBF42, u"NOP[31]"},
  });
}

// Words whose meaning version 1 changed read as before outside it; in it,
// JMPPIN counts from the JMP pin.
TEST(Decoder, VersionOneMeaningsOnlyInVersionOneBlocks) {
  DecodeContext c;
  c.registers.execctrl += pio::fieldBits(pio::Field::jmpPin, 7, pio::Chip::rp2040);
  checkRows(c, {{0x20E2, u"WAIT 1 RESERVED 2"}, {0x205F, u"WAIT 0 IRQ 7 REL"}, {0xC058, u"IRQ CLEAR 0 REL"},
                {0xA061, u"MOV NULL X"}, {0x801F, u"PUSH NOBLOCK"}, {0x8090, u"PULL NOBLOCK"}});
  c.versionOne = true;
  EXPECT_EQ(decodeInstruction(0x20E2, c), u"WAIT 1 JMPPIN + 2(GP9)");
}

TEST(Decoder, SideSetFields) {
  DecodeContext plain;
  plain.registers.pinctrl = 0x34000000;  // one side-set bit
  plain.pins.sideset.base = 5;
  checkRows(plain, {
      {0xF081, u"SET PINDIRS &b00001(GP4 SIDE &b1(GP5)"},
      {0xA042, u"NOP                     SIDE &b0(GP5)"},
      {0xB342, u"NOP                     SIDE &b1(GP5)[3]"},
      {0x1023, u"JMP !X 3                SIDE &b1(GP5)"},
  });
  DecodeContext optional;
  optional.registers.pinctrl = 0x54000000;  // two bits, one of them the enable bit
  optional.registers.execctrl += 0x40000000;
  optional.pins.sideset.base = 5;
  checkRows(optional, {
      {0xA042, u"NOP"},
      {0xA542, u"NOP[5]"},
      {0xB842, u"NOP                     SIDE &b1(GP5)"},
      {0xBF42, u"NOP                     SIDE &b1(GP5)[7]"},
  });
}

TEST(Decoder, NoHintsDropsPinLists) {
  DecodeContext c;
  c.noHints = true;
  EXPECT_EQ(decodeInstruction(0xE081, c), u"SET PINDIRS &b00001");
  EXPECT_EQ(decodeInstruction(0x6000, c), u"OUT PINS 32");
}

TEST(Decoder, PinHints) {
  struct HintRow {
    int first;
    int count;
    std::u16string_view hint;
  } rows[] = {
      {0, 0, u"()"}, {5, 1, u"(GP5)"}, {5, 2, u"(GP6,GP5)"}, {0, 5, u"(GP4-GP0)"}, {10, 3, u"(GP12-GP10)"},
  };
  for (const HintRow& row : rows) {
    EXPECT_EQ(pio::pinHint(row.first, row.count, false), row.hint) << narrow(row.hint);
    EXPECT_EQ(pio::pinHint(row.first, row.count, true), u"");
  }
}

TEST(Decoder, LabelForAddressTakesTheFirstMatch) {
  pio::BlockLabels labels;
  labels.add(u"start:", 0);
  labels.add(u"loop:", 2);
  labels.add(u"again:", 2);
  labels.add(u"loop:", 5);  // a name given twice keeps its first address
  EXPECT_EQ(pio::labelForAddress(&labels, 2), u"loop");
  EXPECT_EQ(pio::labelForAddress(&labels, 0), u"start");
  EXPECT_EQ(pio::labelForAddress(&labels, 9), u"9");
  EXPECT_EQ(pio::labelForAddress(nullptr, 9), u"9");
  EXPECT_EQ(labels.find(u"loop:"), 2);
}

}  // namespace
