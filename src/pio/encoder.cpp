#include "pio/encoder.h"

#include <string>

#include "pio/guidance.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "pio/second_pass.h"
#include "pio/side_set_delay.h"
#include "text/case_table.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kJumpConditions = u"  !x x--!y y--x!=pin!os";
constexpr std::u16string_view kWaitSources = u"  gpipinirq";
constexpr std::u16string_view kInSources = u"   pinsx   y   null        isr osr";
constexpr std::u16string_view kOutDestinations = u"   pinsx   y   nullpindpc  isr exec";
constexpr std::u16string_view kMovDestinations = u"  pinx  y     exepc isrosr";
constexpr std::u16string_view kMovSources = u"  pinx  y  nul   staisrosr";

constexpr std::u16string_view kJmpOutOfRange = u"jmp target out of range 0-31";
constexpr std::u16string_view kWaitIndexOutOfRange = u"wait index out of range 0-31";
constexpr std::u16string_view kWaitIrqOutOfRange = u"wait irq index out of range 0-7";
constexpr std::u16string_view kBitCountOutOfRange = u"bit count out of range 1-32";
constexpr std::u16string_view kSetValueOutOfRange = u"set value out of range 0-31";
constexpr std::u16string_view kWordOutOfRange = u"word value out of range 0-65535";
constexpr std::u16string_view kInvalidIrq =
    u" Invalid interupt, valid interrupts values are (0-7). ";
constexpr std::u16string_view kLabelNotResolved = u"label not resolved";
constexpr std::u16string_view kLabelNotResolvedAfterCondition = u"label not resolved ->";
constexpr std::u16string_view kPolarityExpected = u"polarity 0 or 1 expected";
constexpr std::u16string_view kUnexpectedParameter = u"unexpected parameter";
constexpr std::u16string_view kInvalidMovDestination = u"Invalid operator Or destination ";
constexpr std::u16string_view kInvalidMovSource = u"Invalid source";
constexpr std::u16string_view kInvalidSetDestination = u"Invalid destination";

uint32_t bitsOf(int32_t value) { return static_cast<uint32_t>(value); }

bool containsRel(const PioLine& line) {
  return line.words().find(u"rel") != std::u16string_view::npos;
}

// A "rel" written right after an IRQ number belongs to it, not to the tail.
void consumeRel(PioLine& line) {
  if (line.peek() == u"rel") line.next();
}

uint32_t encodeWord(PioLine& line) {
  int32_t value = readPlainNumber(line.next());
  if (value < 0 || value > 0xFFFF) {
    line.fail(kKindGen, kWordOutOfRange, text::decimal(value));
    return 0;
  }
  return bitsOf(value);
}

uint32_t encodeJmp(PioLine& line) {
  uint32_t word = 0;
  std::u16string target = line.next();
  std::u16string_view unresolved = kLabelNotResolved;
  int condition = tablePosition(kJumpConditions, target, 3);
  if (condition > 0 && target != u"0") {
    word += bitsOf(condition / 3) << 5;
    target = line.next();
    unresolved = kLabelNotResolvedAfterCondition;
  }
  int32_t address = 0;
  if (isWholeNumber(target)) {
    address = parsePioNumber(target);
  } else if (auto found = findLabel(line.pio, target + u":")) {
    address = *found;
  } else {
    line.warn(kKindJmp, unresolved, target, kModeLabel);
  }
  if (address < 0 || address > kLastAddress) line.fail(kKindGen, kJmpOutOfRange, text::decimal(address));
  return word + (bitsOf(address) & 0x1F);
}

uint32_t encodeWait(PioLine& line) {
  uint32_t word = 0x2000;
  std::u16string polarityWord = line.next();
  int32_t polarity = readPlainNumber(polarityWord);
  if (polarity != 0 && polarity != 1) line.fail(kKindWait, kPolarityExpected, polarityWord);
  word += bitsOf(polarity & 1) << 7;
  std::u16string sourceWord = line.next();
  int source = tablePosition(kWaitSources, sourceWord, 3) / 3;
  if (source == 0) line.fail(kKindWait, kUnexpectedParameter, sourceWord);
  if (source > 0) word += bitsOf(source - 1) << 5;
  int32_t index = readPlainNumber(line.next());
  if (source == 3) {
    if (containsRel(line)) word += 0x10;
    consumeRel(line);
    if (index < 0 || index > 7) line.fail(kKindGen, kWaitIrqOutOfRange, text::decimal(index));
  } else if (index < 0 || index > 31) {
    line.fail(kKindGen, kWaitIndexOutOfRange, text::decimal(index));
  }
  return word + (bitsOf(index) & 0x1F);
}

// IN and OUT: a source or destination that is not in the table adds nothing.
uint32_t encodeShift(PioLine& line, uint32_t base, std::u16string_view table) {
  uint32_t word = base;
  int position = tablePosition(table, line.next(), 4);
  if (position > 0) word += bitsOf(position / 4 - 1) << 5;
  int32_t count = readPlainNumber(line.next());
  if (count < 1 || count > 32) line.fail(kKindGen, kBitCountOutOfRange, text::decimal(count));
  return word + (bitsOf(count) & 0x1F);
}

// PUSH and PULL take their option words in any order; the first other word
// is left for the side-set and delay tail.
uint32_t encodePushPull(PioLine& line, uint32_t base, std::u16string_view ifWord) {
  uint32_t word = base;
  for (;;) {
    std::u16string option = line.peek();
    if (option == ifWord) {
      word |= 0x40;
    } else if (option == u"block") {
      word |= 0x20;
    } else if (option == u"noblock") {
      word &= ~uint32_t{0x20};
    } else {
      return word;
    }
    line.next();
  }
}

uint32_t encodeMov(PioLine& line) {
  uint32_t word = 0xA000;
  std::u16string destination = line.next();
  int position = tablePosition(kMovDestinations, destination, 3);
  if (position == 0) line.fail(kKindMov, kInvalidMovDestination, destination);
  if (position > 0) word += bitsOf(position / 3 - 1) << 5;
  std::u16string source = line.next();
  if (source == u"!" || source == u"~") {
    word += 8;
    source = line.next();
  } else if (source == u"::") {
    word += 0x10;
    source = line.next();
  }
  position = tablePosition(kMovSources, source, 3);
  if (position == 0) line.fail(kKindMov, kInvalidMovSource, source);
  if (position > 0) word += bitsOf(position / 3 - 1);
  return word;
}

uint32_t encodeIrq(PioLine& line) {
  uint32_t word = 0xC000;
  if (containsRel(line)) word += 0x10;
  std::u16string mode = line.next();
  std::u16string numberWord = mode;
  if (mode == u"set" || mode == u"nowait" || mode == u"wait" || mode == u"clear") {
    if (mode == u"wait") word += 0x20;
    if (mode == u"clear") word += 0x40;
    numberWord = line.next();
  }
  consumeRel(line);
  int32_t number = readPlainNumber(numberWord);
  if (number < 0 || number > 7) line.fail(kKindIrq, kInvalidIrq, text::decimal(number));
  return word + (bitsOf(number) & 7);
}

uint32_t encodeSet(PioLine& line) {
  uint32_t word = 0xE000;
  std::u16string destination = line.next();
  if (destination == u"x") {
    word += 0x20;
  } else if (destination == u"y") {
    word += 0x40;
  } else if (destination == u"pindirs") {
    word += 0x80;
  } else if (destination != u"pins") {
    line.fail(kKindSet, kInvalidSetDestination, destination);
  }
  int32_t value = parsePioNumber(line.next());
  if (value < 0 || value > 31) line.fail(kKindGen, kSetValueOutOfRange, text::decimal(value));
  return word + (bitsOf(value) & 0x1F);
}

uint32_t encodeOperation(PioLine& line, std::u16string_view mnemonic) {
  if (mnemonic == u".word") return encodeWord(line);
  if (mnemonic == u"nop") return 0xA042;
  if (mnemonic == u"jmp") return encodeJmp(line);
  if (mnemonic == u"wait") return encodeWait(line);
  if (mnemonic == u"in") return encodeShift(line, 0x4000, kInSources);
  if (mnemonic == u"out") return encodeShift(line, 0x6000, kOutDestinations);
  if (mnemonic == u"push") return encodePushPull(line, 0x8020, u"iffull");
  if (mnemonic == u"pull") return encodePushPull(line, 0x80A0, u"ifempty");
  if (mnemonic == u"mov") return encodeMov(line);
  if (mnemonic == u"irq") return encodeIrq(line);
  return encodeSet(line);
}

}  // namespace

bool isInstructionMnemonic(std::u16string_view word) {
  for (std::u16string_view mnemonic : {u".word", u"nop", u"jmp", u"wait", u"in", u"out", u"push",
                                       u"pull", u"mov", u"irq", u"set"}) {
    if (word == mnemonic) return true;
  }
  return false;
}

int encodeInstruction(PioLine& line, std::u16string_view mnemonic) {
  if (line.pio.decodeMode) return kResultNoWord;
  uint32_t word = encodeOperation(line, mnemonic);
  word = applySideSetAndDelay(line, word);
  ++line.pio.programCounter[line.pio.currentPio];
  line.pio.instructionWord = word;
  return line.failed() ? kResultNoWord : static_cast<int>(word);
}

int tablePosition(std::u16string_view table, std::u16string_view word, size_t keyLength) {
  std::u16string_view key = word.substr(0, keyLength);
  if (key.empty()) return 0;
  size_t at = text::findNoCase(table, key);
  return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace pio
