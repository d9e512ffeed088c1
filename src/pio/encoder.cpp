#include "pio/encoder.h"

#include <optional>
#include <span>
#include <string>

#include "pio/gpio_base.h"
#include "pio/guidance.h"
#include "pio/instruction_set.h"
#include "pio/instruction_tail.h"
#include "pio/pio_file.h"
#include "pio/pio_line.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kJmpOutOfRange = u"jmp target out of range 0-31";
constexpr std::u16string_view kJmpBeyondProgram = u"jmp target beyond the end of the program";
constexpr std::u16string_view kWaitIndexOutOfRange = u"wait index out of range 0-31";
constexpr std::u16string_view kWaitIrqOutOfRange = u"wait irq index out of range 0-7";
constexpr std::u16string_view kWaitGpioOutOfRange = u"wait gpio out of range 0-47";
constexpr std::u16string_view kWaitJmpPinOutOfRange = u"wait jmppin offset out of range 0-3";
constexpr std::u16string_view kBitCountOutOfRange = u"bit count out of range 1-32";
constexpr std::u16string_view kSetValueOutOfRange = u"set value out of range 0-31";
constexpr std::u16string_view kWordOutOfRange = u"word value out of range 0-65535";
constexpr std::u16string_view kAddressBeyond = u"instruction address beyond 31";
constexpr std::u16string_view kInvalidIrq =
    u" Invalid interupt, valid interrupts values are (0-7). ";
constexpr std::u16string_view kLabelNotResolved = u"label not resolved";
constexpr std::u16string_view kLabelNotResolvedAfterCondition = u"label not resolved ->";
constexpr std::u16string_view kPolarityExpected = u"polarity 0 or 1 expected";
constexpr std::u16string_view kUnexpectedParameter = u"unexpected parameter";
constexpr std::u16string_view kInvalidMovDestination = u"Invalid operator Or destination ";
constexpr std::u16string_view kInvalidMovSource = u"Invalid source";
constexpr std::u16string_view kInvalidSetDestination = u"Invalid destination";
constexpr std::u16string_view kUnknownShiftOperand = u"unknown source or destination";
// Forms only the RP2350 runs.
constexpr std::u16string_view kWaitJmpPin = u"wait jmppin";
constexpr std::u16string_view kMovPindirs = u"mov pindirs";
constexpr std::u16string_view kMovRxFifo = u"mov rxfifo[]";
constexpr std::u16string_view kFifoIndexExpected = u"rxfifo[y] or rxfifo[0-7] expected";
constexpr std::u16string_view kFifoIndexOutOfRange = u"rxfifo index out of range 0-7";
constexpr std::u16string_view kFifoPutSource = u"mov rxfifo[] takes isr only";
constexpr std::u16string_view kFifoGetDestination = u"mov from rxfifo[] goes to osr only";
constexpr std::u16string_view kFifoOperator = u"no operator goes with rxfifo[]";
constexpr std::u16string_view kFifoNotPut = u"mov rxfifo[] needs .fifo txput or putget";
constexpr std::u16string_view kFifoNotGet = u"mov from rxfifo[] needs .fifo txget or putget";

uint32_t bitsOf(int32_t value) { return static_cast<uint32_t>(value); }

Encoded withBits(uint32_t bits) {
  Encoded encoded;
  encoded.bits = bits;
  return encoded;
}

// "prev" or "next" after an irq keyword names a neighbouring PIO block's
// flag: its index mode (bits 4:3), which then leaves no room for "rel".
void neighbourIrq(PioLine& line, std::u16string_view form, Encoded& encoded) {
  std::u16string word = line.peekKeyword();
  if (word != u"prev" && word != u"next") return;
  line.keyword();
  if (!line.needVersionOne(std::u16string(form) + u" " + word, word)) return;
  encoded.bits += static_cast<uint32_t>(*operandNamed(kIrqIndexModes, word)) << 3;
  encoded.takesRel = false;
  encoded.neighbour = true;
}

// A program of a .pio file is loaded as the SDK loads one at an offset:
// every word with the JMP opcode moves with it.
uint32_t relocated(const PioLine& line, uint32_t word) {
  if (!line.fileRules() || (word & 0xE000) != 0) return word;
  return word + static_cast<uint32_t>(line.program().start);
}

Encoded encodeWord(PioLine& line) {
  std::optional<int32_t> value = readValue(line, line.valueWord());
  if (value && (*value < 0 || *value > 0xFFFF)) {
    line.fail(ErrorKind::gen, kWordOutOfRange, text::decimal(*value));
    return {};
  }
  return withBits(relocated(line, bitsOf(value.value_or(0))));
}

// In a .pio file a target counts from the program's first instruction and
// stays within the program.
std::optional<int32_t> programTarget(PioLine& line, std::optional<int32_t> target) {
  if (!target || !line.fileRules()) return target;
  const IncludedProgram& program = line.program();
  const int32_t size = program.file->programs()[program.program].size;
  if (*target < 0 || *target >= size) {
    line.fail(ErrorKind::gen, kJmpBeyondProgram, text::decimal(*target));
    return 0;
  }
  return *target + program.start;
}

Encoded encodeJmp(PioLine& line) {
  Encoded encoded;
  std::u16string_view unresolved = kLabelNotResolved;
  if (std::optional<size_t> condition = operandNamed(kJmpConditions, line.peekKeyword())) {
    line.keyword();
    encoded.bits = static_cast<uint32_t>(*condition) << 5;
    unresolved = kLabelNotResolvedAfterCondition;
  }
  Word target = line.valueWord();
  std::optional<int32_t> address = programTarget(line, jumpTarget(line, target));
  if (!address) {
    if (!line.failed()) line.warn(ErrorKind::jmp, unresolved, target.text, ReportMode::unresolvedLabel);
  } else if (*address < 0 || *address > kLastAddress) {
    line.fail(ErrorKind::gen, kJmpOutOfRange, text::decimal(*address));
  }
  encoded.bits += bitsOf(address.value_or(0)) & 0x1F;
  return encoded;
}

// The polarity may be left out before a source word; it is then 1.
int32_t waitPolarity(PioLine& line) {
  const Word* next = line.peekWord();
  if (next != nullptr && !next->group) {
    if (operandNamed(kWaitSources, next->text) || next->text.starts_with(u"jmppin")) return 1;
  }
  Word word = line.valueWord();
  std::optional<int32_t> polarity = readValue(line, word);
  if (polarity && *polarity != 0 && *polarity != 1) {
    line.fail(ErrorKind::wait, kPolarityExpected, word.text);
  }
  return polarity.value_or(0);
}

// "jmppin", "jmppin + N", "jmppin +N" or "jmppin+N": the pin N above the
// JMP pin (source 3).
void waitJmpPin(PioLine& line, const std::u16string& sourceWord, Encoded& encoded) {
  encoded.bits += 3 << 5;
  if (!line.needVersionOne(kWaitJmpPin, u"jmppin")) return;
  std::u16string_view attached = std::u16string_view(sourceWord).substr(6);
  Word offsetWord;
  if (attached.starts_with(u'+')) {
    offsetWord.text = attached.substr(1);
  } else if (const Word* next = line.peekWord();
             next != nullptr && !next->group && next->text.starts_with(u'+')) {
    line.skipWord();
    offsetWord = next->text == u"+" ? line.valueWord() : Word{next->text.substr(1), false};
  } else if (!attached.empty()) {
    line.fail(ErrorKind::wait, kUnexpectedParameter, sourceWord);
    return;
  } else {
    return;
  }
  std::optional<int32_t> offset = readValue(line, offsetWord);
  if (offset && (*offset < 0 || *offset > 3)) {
    line.fail(ErrorKind::gen, kWaitJmpPinOutOfRange, text::decimal(*offset));
  }
  encoded.bits += bitsOf(offset.value_or(0)) & 3;
}

Encoded encodeWait(PioLine& line) {
  Encoded encoded = withBits(0x2000);
  encoded.bits += bitsOf(waitPolarity(line) & 1) << 7;
  std::u16string sourceWord = line.keyword();
  if (sourceWord.starts_with(u"jmppin")) {
    waitJmpPin(line, sourceWord, encoded);
    return encoded;
  }
  std::optional<size_t> source = operandByPrefix(kWaitSources, sourceWord, 3);
  if (!source) line.fail(ErrorKind::wait, kUnexpectedParameter, sourceWord);
  if (source) encoded.bits += static_cast<uint32_t>(*source) << 5;
  bool irq = source && kWaitSources[*source].name == u"irq";
  encoded.takesRel = irq;
  if (irq) neighbourIrq(line, u"wait irq", encoded);
  // Version 1 reaches GPIO 47: the word holds the GPIO counted from the PIO
  // block's base, as the SDK's loader leaves it.
  bool gpio = source && kWaitSources[*source].name == u"gpio";
  bool wideGpio = source && kWaitSources[*source].name == u"gpio" && line.versionOne();
  std::optional<int32_t> index = readValue(line, line.valueWord());
  if (index && irq && (*index < 0 || *index > 7)) {
    line.fail(ErrorKind::gen, kWaitIrqOutOfRange, text::decimal(*index));
  } else if (index && wideGpio && (*index < 0 || *index > 47)) {
    line.fail(ErrorKind::gen, kWaitGpioOutOfRange, text::decimal(*index));
  } else if (index && !irq && !wideGpio && (*index < 0 || *index > 31)) {
    line.fail(ErrorKind::gen, kWaitIndexOutOfRange, text::decimal(*index));
  } else if (index && gpio) {
    index = pinField(line, *index, u"wait gpio");
  }
  encoded.bits += bitsOf(index.value_or(0)) & 0x1F;
  return encoded;
}

Encoded encodeShift(PioLine& line, uint32_t base, std::span<const Operand> operands) {
  Encoded encoded = withBits(base);
  std::u16string operand = line.keyword();
  std::optional<size_t> index = operandByPrefix(operands, operand, 4);
  if (index) encoded.bits += static_cast<uint32_t>(*index) << 5;
  std::optional<int32_t> count = readValue(line, line.valueWord());
  if (count && (*count < 1 || *count > 32)) {
    line.fail(ErrorKind::gen, kBitCountOutOfRange, text::decimal(*count));
  }
  // Reported only alone: when the count is wrong too, the operand was most
  // likely left out.
  if (!index && !line.failed()) line.fail(ErrorKind::gen, kUnknownShiftOperand, operand);
  encoded.bits += bitsOf(count.value_or(0)) & 0x1F;
  return encoded;
}

// PUSH and PULL take their option words in any order.
Encoded encodePushPull(PioLine& line, uint32_t base, std::u16string_view ifWord) {
  Encoded encoded = withBits(base);
  encoded.ifWord = ifWord;
  while (applyFifoOption(ifWord, line.peekKeyword(), encoded.bits)) line.keyword();
  return encoded;
}

// The operator before a MOV source, written alone or attached to it.
uint32_t movOperator(PioLine& line, std::u16string& source) {
  uint32_t op = 0;
  if (source == u"!" || source == u"~" || source == u"::") {
    op = source == u"::" ? 0x10 : 8;
    source = line.keyword();
  } else if (source.size() > 2 && source.starts_with(u"::")) {
    op = 0x10;
    source.erase(0, 2);
  } else if (source.size() > 1 && (source[0] == u'!' || source[0] == u'~')) {
    op = 8;
    source.erase(0, 1);
  }
  return op;
}

// "rxfifo[y]" (bits 3:0 zero: Y picks the entry) or "rxfifo[N]" (bit 3 and
// the entry, 0-7).
std::optional<uint32_t> fifoEntryBits(PioLine& line, const std::u16string& word) {
  if (word.size() < 9 || word[6] != u'[' || word.back() != u']') {
    line.fail(ErrorKind::gen, kFifoIndexExpected, word);
    return std::nullopt;
  }
  std::u16string inner = word.substr(7, word.size() - 8);
  if (inner == u"y") return 0;
  std::optional<int32_t> entry = readValue(line, Word{u"(" + inner + u")", true});
  if (entry && (*entry < 0 || *entry > 7)) {
    line.fail(ErrorKind::gen, kFifoIndexOutOfRange, text::decimal(*entry));
    return std::nullopt;
  }
  if (!entry) return std::nullopt;
  return 8 + bitsOf(*entry);
}

// "mov rxfifo[], isr" and "mov osr, rxfifo[]" are PUSH and PULL words with
// bit 4 set, and only when the RX FIFO is joined for puts or gets.
Encoded encodeFifoMov(PioLine& line, const std::u16string& destination, uint32_t op,
                      const std::u16string& source) {
  const bool put = destination.starts_with(u"rxfifo");
  const std::u16string& fifo = put ? destination : source;
  Encoded encoded = withBits(put ? 0x8010 : 0x8090);
  if (!line.needVersionOne(kMovRxFifo, fifo)) return encoded;
  std::optional<uint32_t> entry = fifoEntryBits(line, fifo);
  if (!entry) return encoded;
  encoded.bits += *entry;
  if (op != 0) {
    line.fail(ErrorKind::gen, kFifoOperator, source);
  } else if (put && source != u"isr") {
    line.fail(ErrorKind::gen, kFifoPutSource, source);
  } else if (!put && destination != u"osr") {
    line.fail(ErrorKind::gen, kFifoGetDestination, destination);
  } else if (line.pio.registers().get(put ? Field::fjoinRxPut : Field::fjoinRxGet) == 0) {
    line.fail(ErrorKind::gen, put ? kFifoNotPut : kFifoNotGet, fifo);
  }
  return encoded;
}

Encoded encodeMov(PioLine& line) {
  Encoded encoded = withBits(0xA000);
  std::u16string destination = line.keyword();
  std::optional<size_t> index = operandByPrefix(kMovDestinations, destination, 3);
  const bool toFifo = destination.starts_with(u"rxfifo");
  if (destination == u"pindirs") {
    if (line.needVersionOne(kMovPindirs, destination)) encoded.bits += 3 << 5;
  } else if (toFifo) {
    if (!line.needVersionOne(kMovRxFifo, destination)) return encoded;
  } else if (!index) {
    line.fail(ErrorKind::mov, kInvalidMovDestination, destination);
  } else {
    encoded.bits += static_cast<uint32_t>(*index) << 5;
  }
  std::u16string source = line.keyword();
  uint32_t op = movOperator(line, source);
  if (toFifo || source.starts_with(u"rxfifo")) return encodeFifoMov(line, destination, op, source);
  encoded.bits += op;
  // "pindirs" would be found as "pins" by its first letters.
  index = source == u"pindirs" ? std::nullopt : operandByPrefix(kMovSources, source, 3);
  if (!index) {
    line.fail(ErrorKind::mov, kInvalidMovSource, source);
  } else {
    encoded.bits += static_cast<uint32_t>(*index);
  }
  return encoded;
}

Encoded encodeIrq(PioLine& line) {
  Encoded encoded = withBits(0xC000);
  encoded.takesRel = true;
  neighbourIrq(line, u"irq", encoded);
  std::u16string mode = line.peekKeyword();
  if (mode == u"set" || mode == u"nowait" || mode == u"wait" || mode == u"clear") {
    line.keyword();
    if (mode == u"wait") encoded.bits += 0x20;
    if (mode == u"clear") encoded.bits += 0x40;
  }
  std::optional<int32_t> number = readValue(line, line.valueWord());
  if (number && (*number < 0 || *number > 7)) {
    line.fail(ErrorKind::irq, kInvalidIrq, text::decimal(*number));
  }
  encoded.bits += bitsOf(number.value_or(0)) & 7;
  return encoded;
}

Encoded encodeSet(PioLine& line) {
  Encoded encoded = withBits(0xE000);
  std::u16string destination = line.keyword();
  if (std::optional<size_t> index = operandNamed(kSetDestinations, destination)) {
    encoded.bits += static_cast<uint32_t>(*index) << 5;
  } else {
    line.fail(ErrorKind::set, kInvalidSetDestination, destination);
  }
  std::optional<int32_t> value = readValue(line, line.valueWord());
  if (value && (*value < 0 || *value > 31)) {
    line.fail(ErrorKind::gen, kSetValueOutOfRange, text::decimal(*value));
  }
  encoded.bits += bitsOf(value.value_or(0)) & 0x1F;
  return encoded;
}

Encoded encodeOperation(PioLine& line, Mnemonic mnemonic) {
  switch (mnemonic) {
    case Mnemonic::word: return encodeWord(line);
    case Mnemonic::nop: return withBits(0xA042);
    case Mnemonic::jmp: return encodeJmp(line);
    case Mnemonic::wait: return encodeWait(line);
    case Mnemonic::in: return encodeShift(line, 0x4000, kInSources);
    case Mnemonic::out: return encodeShift(line, 0x6000, kOutDestinations);
    case Mnemonic::push: return encodePushPull(line, 0x8020, u"iffull");
    case Mnemonic::pull: return encodePushPull(line, 0x80A0, u"ifempty");
    case Mnemonic::mov: return encodeMov(line);
    case Mnemonic::irq: return encodeIrq(line);
    case Mnemonic::set: break;
  }
  return encodeSet(line);
}

// The slots a block takes for a state machine, in line order, give the wrap
// it runs with when the block does not place it.
void noteSlot(MachineUse& use, int32_t address) {
  if (!use.slotTaken) use.firstSlot = address;
  use.slotTaken = true;
  use.lastSlot = address;
}

}  // namespace

LineResult encodeInstruction(PioLine& line, Mnemonic mnemonic, int32_t address) {
  uint32_t word = applyTail(line, encodeOperation(line, mnemonic));
  // Only a raw ".word" with a delay or side value added can outgrow 16 bits.
  if (word > 0xFFFF && !line.failed()) line.fail(ErrorKind::gen, kWordOutOfRange, text::decimal(word));
  if (address > kLastAddress && !line.failed()) {
    line.fail(ErrorKind::gen, kAddressBeyond, text::decimal(address));
  }
  noteSlot(line.pio.use(), address);
  if (line.failed()) return Outcome::noWord;
  return LineResult::ofWord(static_cast<uint16_t>(word));
}

}  // namespace pio
