#include "pio/pioasm_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf8.h"

namespace {

// The words a line gives, joined by "|" (groups as written), or "error: "
// and the reason with the text at fault.
std::string readOut(std::u16string_view line, pio::LexState& state) {
  pio::PioasmLine read = pio::readPioasmLine(line, state);
  if (!read.error.empty()) {
    return "error: " + text::encodeUtf8(read.error) + " (" + text::encodeUtf8(read.errorDetail) + ")";
  }
  std::string out = read.source.labelName.empty() ? "" : text::encodeUtf8(read.source.labelName) + " ";
  for (const pio::Word& word : read.source.words) out += text::encodeUtf8(word.text) + "|";
  return out;
}

// Lines in order, one state carried through them, each with what the
// reference assembler's grammar makes of it.
TEST(PioasmReader, LinesBecomeTheSharedWords) {
  struct Row {
    std::u16string_view line;
    std::string words;
  } rows[] = {
      {u"  SET pins, 0x1F  ; on", "set|pins|(31)|"},
      {u"set x one side zero [T - 1]", "set|x|(1)|side|(0)|[(T - 1)]|"},
      {u"public Loop: JMP X-- Loop", "loop: jmp|x--|(Loop)|"},
      {u"*end:", "end: "},
      {u"jmp x != y, (l + 1) [2] side 1", "jmp|x!=y|((l + 1))|[(2)]|side|(1)|"},
      {u"jmp ! osre l + -2", "jmp|!osre|(l + - 2)|"},
      {u"jmp y\u2212\u2212 0", "jmp|y--|(0)|"},
      {u"wait irq, 3 rel", "wait|irq|(3)|rel|"},
      {u"wait 0 gpio 0b101", "wait|(0)|gpio|(5)|"},
      {u"mov isr, ~ ::osr", "error: syntax error: expected a mov source (::)"},
      {u"mov x, ~y", "mov|x|!|y|"},
      {u"mov pins :: null", "mov|pins|::|null|"},
      {u"mov rxfifo[y], isr", "mov|rxfifo[y]|isr|"},
      {u"irq prev wait 3", "irq|prev|wait|(3)|"},
      {u"wait 1 jmppin + 2", "wait|(1)|jmppin|+|(2)|"},
      {u"mov osr, rxfifo[3]", "mov|osr|rxfifo[3]|"},
      {u"push iffull noblock", "push|iffull|noblock|"},
      {u"push block iffull", "error: syntax error: expected side, a [delay] or the end of the line (iffull)"},
      {u".side_set 2 opt pindirs", ".side_set|(2)|optional|pindirs|"},
      {u".in 32 left auto 24", ".in|(32)|left|auto|(24)|"},
      {u".mov_status rxfifo<2", ".mov_status|rxfifo|<|(2)|"},
      {u".clock_div 2.5", ".clock_div|2.5|"},
      {u".lang_opt python out_init = pico.PIO.OUT_HIGH", ".lang_opt|"},
      {u".define public T (2 + 3) * 2 // cycles", ".define|"},
      {u"/* open", ""},
      {u"  still */ nop /* shut */ [1]", "nop|[(1)]|"},
      {u"% c-sdk {", ""},
      {u"static const int x = 1; %} not the end", ""},
      {u" %} ", ""},
      {u"set x, 1+1", "error: syntax error: expected side, a [delay] or the end of the line (+)"},
      {u"set x, -1", "error: syntax error: expected a value (-)"},
      {u"set pins, $1F", "error: invalid character ($)"},
      {u"nop ' note", "error: invalid character (')"},
      {u"set x, 2147483648", "error: integer is out of range (2147483648)"},
      {u"left: nop", "error: syntax error: a label needs a name that is no keyword (left)"},
      {u".extern data_run_out", "error: unknown directive (.extern)"},
      {u"label nop", "error: syntax error: expected an instruction, a directive or a label (label)"},
      {u"l: .word 1", "error: syntax error: expected an instruction, a directive or a label (.word)"},
      {u"in status, 3", "error: in status is not supported: IN has no STATUS source (status)"},
      {u"nop % c-sdk {", "error: syntax error: a % block starts a line of its own (%)"},
  };
  pio::LexState state;
  for (const Row& row : rows) {
    EXPECT_EQ(readOut(row.line, state), row.words) << text::encodeUtf8(row.line);
  }
}

}  // namespace
