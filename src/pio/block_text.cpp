#include "pio/block_text.h"

#include <algorithm>

#include "pio/line_words.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"
#include "text/blanks.h"
#include "text/lines.h"
#include "text/numbers.h"

namespace pio {

namespace {

// More pins than a bank has can only come from a reported or spilled value.
constexpr int32_t kMaxSetpinsPerGroup = 32;

// A group's base counts from the PIO block's GPIO base, as its field does.
void addGroup(std::vector<std::u16string>& lines, const PinGroup& pins, int32_t gpioBase,
              int pioNumber, std::u16string_view group) {
  int32_t count = std::min(pins.count, kMaxSetpinsPerGroup);
  for (int32_t i = 0; i < count; ++i) {
    lines.push_back(u"SETPIN GP" + text::decimal(int64_t{gpioBase} + pins.base + i) + u",PIO" +
                    text::decimal(pioNumber) + u" '" + std::u16string(group));
  }
}

std::u16string hexImage(int64_t image) { return text::hex(static_cast<uint64_t>(image)); }

// A divider in 1/256 steps as an exact decimal: 640 is "2.5".
std::u16string dividerText(uint32_t in256ths) {
  std::u16string out = text::decimal(in256ths / 256);
  uint32_t fraction = in256ths % 256;
  if (fraction != 0) out += u'.';
  while (fraction != 0) {
    fraction *= 10;
    out += static_cast<char16_t>(u'0' + fraction / 256);
    fraction %= 256;
  }
  return out;
}

// The clock "PIO INIT MACHINE" takes: the block's ".frequency" when it gave
// one; else the board's clock over an included program's divider, which the
// interpreter works out (MM.INFO$(CPUSPEED) is the CPU clock in Hz); else
// the frequency the state machine last had.
std::u16string clockText(const PioAssembler& pio) {
  const Placement& at = pio.placement;
  const MachineUse& use = pio.block.use[at.currentPio][at.currentSm];
  if (use.frequencyWritten || !use.programDivider) return text::decimal(pio.start().frequency);
  std::u16string cpu = u"Val(MM.INFO$(CPUSPEED))";
  return *use.programDivider == 256 ? cpu : cpu + u"/" + dividerText(*use.programDivider);
}

std::u16string generatedHeader(const PioAssembler& pio, const PioBlockText& text) {
  std::u16string crlf(text::kCrLf);
  return crlf + u";---Start of Generated Code and Commands---" + crlf + u"' PIO=" +
         text::decimal(pio.placement.currentPio) + u" State Machine=" +
         text::decimal(pio.placement.currentSm) + u" Program= " + pio.symbols.programName + crlf +
         crlf + u"'--- Generated Instruction Summary ---" + crlf +
         u"'addr instr  source                      original comments" + crlf +
         u"'---- ------ ----------------------      -----------------" + crlf +
         text.instructionSummary + crlf + u"'--- MMBasic Commands ---" + crlf;
}

std::u16string mmbasicCommands(const PioAssembler& pio, const PasmOptions& options) {
  std::u16string crlf(text::kCrLf);
  std::u16string out;
  const Placement& at = pio.placement;
  for (const std::u16string& line : setpinLines(pio, at.currentPio)) {
    out += (options.noSetpin ? u"'" : u"") + line + crlf;
  }
  const MachineStart& start = pio.start();
  std::u16string machine = text::decimal(at.currentPio) + u"," + text::decimal(at.currentSm);
  // The RP2350's PIO block keeps its GPIO base until set again, so each
  // block sets the one its pin fields count from.
  if (pio.block.chip == Chip::rp2350) {
    out += crlf + (options.noInit ? u"'PIO SET BASE " : u"PIO SET BASE ") +
           text::decimal(at.currentPio) + u"," + text::decimal(pio.block.gpioBase[at.currentPio]);
  }
  out += crlf + (options.noInit ? u"'PIO INIT MACHINE " : u"PIO INIT MACHINE ") + machine + u"," +
         clockText(pio);
  for (RegisterKind kind : kInitOrder) out += u",&H" + hexImage(pio.registers().of(kind));
  out += u",&H" + hexImage(pio.origin());
  out += crlf + (start.nostart ? u"'PIO START " : u"PIO START ") + machine;
  out += crlf + crlf +
         u"'-------------------------- End of Generated Commands "
         u"------------------------------------------------";
  return out;
}

}  // namespace

std::u16string listingTail(std::u16string_view decoded, std::u16string_view comment, size_t width) {
  std::u16string column(decoded);
  column.resize(width, u' ');
  return column + text::normaliseBlanks(u" ;" + std::u16string(comment)) +
         std::u16string(text::kCrLf);
}

std::u16string_view listingComment(std::u16string_view line) { return splitComment(line).comment; }

void appendInstruction(PioBlockText& text, int pioNumber, int address, uint16_t word,
                       std::u16string_view tail) {
  std::u16string addressHex = text::hex(static_cast<uint32_t>(address), 2);
  std::u16string wordHex = text::hex(static_cast<uint32_t>(word), 4);
  text.instructionSummary += u"'&h" + addressHex + u" &h" + wordHex + u" " + std::u16string(tail);
  text.programLines += u"PIO PROGRAM LINE " + text::decimal(pioNumber) + u",&h" + addressHex +
                       u",&h" + wordHex + u"  '" + std::u16string(tail);
}

std::vector<std::u16string> setpinLines(const PioAssembler& pio, int pioNumber) {
  std::vector<std::u16string> lines;
  const PinGroups& pins = pio.block.pins;
  const int32_t base = pio.block.gpioBase[pioNumber];
  addGroup(lines, pins.set, base, pioNumber, u"SET");
  addGroup(lines, pins.out, base, pioNumber, u"OUT");
  addGroup(lines, pins.sideset, base, pioNumber, u"SIDESET");
  return lines;
}

std::u16string generatedBlockText(const PioAssembler& pio, const PasmOptions& options) {
  const PioBlockText& text = pio.block.text;
  return generatedHeader(pio, text) + text.programLines + std::u16string(text::kCrLf) +
         mmbasicCommands(pio, options);
}

}  // namespace pio
