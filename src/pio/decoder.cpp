#include "pio/decoder.h"

#include <algorithm>
#include <string_view>

#include "pio/gpio_base.h"
#include "pio/instruction_set.h"
#include "pio/options.h"
#include "text/case_table.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kMovOperations[] = {u" ", u" ! ", u" :: ", u" "};

// The word as a text of 16 binary digits, bit 15 first, and the fields cut
// out of it by character position (1-based, as the bits read left to right).
class Bits {
 public:
  explicit Bits(uint16_t word) : b_(text::binary(word, 16)) {}
  std::u16string chars(int from, int count) const {
    if (count <= 0 || from < 1 || from > 16) return {};
    return b_.substr(static_cast<size_t>(from - 1), static_cast<size_t>(count));
  }
  int32_t number(int from, int count) const {
    int32_t value = 0;
    for (char16_t c : chars(from, count)) value = value * 2 + (c - u'0');
    return value;
  }
  bool bit(int n) const { return b_[static_cast<size_t>(15 - n)] == u'1'; }

 private:
  std::u16string b_;
};

// The mnemonic as the listing shows it.
std::u16string shown(Mnemonic mnemonic) { return text::upper(nameOf(mnemonic)); }

std::u16string decodeJmp(const Bits& b, size_t field, const DecodeContext& c,
                         std::u16string& note) {
  std::u16string target = labelForAddress(c.labels, b.number(12, 5));
  if (field == 0) return shown(Mnemonic::jmp) + u" " + target;
  if (kJmpConditions[field].name == u"pin") {
    note = u" 'GP" + text::decimal(c.registers.get(Field::jmpPin) + c.gpioBase);
  }
  return shown(Mnemonic::jmp) + u" " + shownName(kJmpConditions, field) + u" " + target;
}

// An IRQ number as version 1 reads it, with its index mode (bits 4:3):
// "PREV 3", "3 REL", "NEXT 3" or "3".
std::u16string irqNumberV1(const Bits& b) {
  std::u16string index = text::decimal(b.number(14, 3));
  size_t mode = static_cast<size_t>(b.number(12, 2));
  if (mode == 0) return index;
  if (kIrqIndexModes[mode].name == u"rel") return index + u" REL";
  return shownName(kIrqIndexModes, mode) + u" " + index;
}

std::u16string decodeWait(const Bits& b, const DecodeContext& c) {
  std::u16string head = shown(Mnemonic::wait) + u" " + b.chars(9, 1);
  int32_t index = b.number(12, 5);
  size_t source = static_cast<size_t>(b.number(10, 2));
  head += u" " + shownName(c.versionOne ? kWaitSourcesV1 : kWaitSources, source);
  switch (source) {
    case 0: {
      const int32_t gpio = index + c.gpioBase;
      return head + u" " + text::decimal(gpio) + pinHint(gpio, 1, c.noHints);
    }
    case 1:
      return head + u" " + text::decimal(index) +
             pinHint(int64_t{index} + c.pins.inBase, 1, c.noHints);
    case 2:
      if (c.versionOne) return head + u" " + irqNumberV1(b);
      return head + u" " + text::decimal(b.number(14, 3)) + (b.bit(4) ? u" REL" : u"");
    default: break;
  }
  if (!c.versionOne) return head + u" " + text::decimal(index);
  int32_t offset = b.number(15, 2);
  if (offset != 0) head += u" + " + text::decimal(offset);
  return head +
         pinHint(int64_t{c.registers.get(Field::jmpPin)} + c.gpioBase + offset, 1, c.noHints);
}

std::u16string decodeShift(const Bits& b, int op, size_t field, const DecodeContext& c) {
  int32_t n = b.number(12, 5);
  if (n == 0) n = 32;
  if (op == 2) {
    std::u16string t =
        shown(Mnemonic::in) + u" " + shownName(kInSources, field) + u" " + text::decimal(n);
    return field == 0 ? t + pinHint(c.pins.inBase, n, c.noHints) : t;
  }
  std::u16string t =
      shown(Mnemonic::out) + u" " + shownName(kOutDestinations, field) + u" " + text::decimal(n);
  return field == 0 || field == 4 ? t + pinHint(c.pins.out.base, c.pins.out.count, c.noHints) : t;
}

// Version 1's "MOV RXFIFO[Y] ISR" and "MOV OSR RXFIFO[3]": bit 7 tells
// which, bit 3 whether bits 2:0 or Y give the entry.
std::u16string decodeFifoMov(const Bits& b) {
  std::u16string fifo = u"RXFIFO[" + (b.bit(3) ? text::decimal(b.number(14, 3)) : u"Y") + u"]";
  return shown(Mnemonic::mov) + (b.bit(7) ? u" OSR " + fifo : u" " + fifo + u" ISR");
}

std::u16string decodePushPull(const Bits& b, const DecodeContext& c) {
  if (c.versionOne && b.bit(4)) return decodeFifoMov(b);
  std::u16string t = shown(b.bit(7) ? Mnemonic::pull : Mnemonic::push);
  if (b.bit(6)) t += b.bit(7) ? u" IFEMPTY " : u" IFFULL ";
  t += b.bit(5) ? u" BLOCK " : u" NOBLOCK ";
  return t;
}

std::u16string decodeMov(const Bits& b, size_t field, const DecodeContext& c) {
  std::u16string t = shown(Mnemonic::mov) + u" " +
                     shownName(c.versionOne ? kMovDestinationsV1 : kMovDestinations, field) +
                     std::u16string(kMovOperations[b.number(12, 2)]) +
                     shownName(kMovSources, static_cast<size_t>(b.number(14, 3)));
  for (size_t at = t.find(u"MOV Y Y"); at != std::u16string::npos; at = t.find(u"MOV Y Y", at)) {
    t.replace(at, 7, shown(Mnemonic::nop));
  }
  return t;
}

// Version 1's "IRQ PREV SET 3", "IRQ NEXT WAIT 1", "IRQ PREV CLEAR 0".
std::u16string decodeNeighbourIrq(const Bits& b, size_t mode) {
  std::u16string t = shown(Mnemonic::irq) + u" " + shownName(kIrqIndexModes, mode);
  t += b.bit(6) ? u" CLEAR " : b.bit(5) ? u" WAIT " : u" SET ";
  return t + text::decimal(b.number(14, 3));
}

std::u16string decodeIrq(const Bits& b, const DecodeContext& c) {
  size_t mode = static_cast<size_t>(b.number(12, 2));
  std::u16string_view modeName = kIrqIndexModes[mode].name;
  if (c.versionOne && (modeName == u"prev" || modeName == u"next")) {
    return decodeNeighbourIrq(b, mode);
  }
  std::u16string index = text::decimal(b.number(14, 3));
  std::u16string t = shown(Mnemonic::irq) + u" ";
  if (b.bit(6)) {
    t += u"CLEAR " + index;
  } else if (b.bit(5)) {
    t += u"WAIT " + index;
  } else {
    t += u"NOWAIT " + index;
  }
  return b.bit(4) ? t + u" REL" : t;
}

std::u16string decodeSet(const Bits& b, size_t field, const DecodeContext& c) {
  std::u16string t = shown(Mnemonic::set) + u" " + shownName(kSetDestinations, field);
  if (field != 0 && field != 4) return t + u" " + text::decimal(b.number(12, 5));
  int32_t digits = std::clamp(c.pins.set.count, 0, 16);
  return t + u" &b" + b.chars(17 - digits, digits) +
         pinHint(c.pins.set.base, c.pins.set.count, c.noHints);
}

std::u16string decodeOperation(const Bits& b, const DecodeContext& c, std::u16string& note) {
  int op = b.number(1, 3);
  size_t field = static_cast<size_t>(b.number(9, 3));
  switch (op) {
    case 0: return decodeJmp(b, field, c, note);
    case 1: return decodeWait(b, c);
    case 2:
    case 3: return decodeShift(b, op, field, c);
    case 4: return decodePushPull(b, c);
    case 5: return decodeMov(b, field, c);
    case 6: return decodeIrq(b, c);
    default: return decodeSet(b, field, c);
  }
}

// Side-set field (padded instruction column first) and delay.
std::u16string sideAndDelay(const Bits& b, std::u16string t, const DecodeContext& c) {
  SideSet side = sideSetOf(c.registers);
  int32_t count = side.count;
  int32_t opt = side.optional;
  int32_t sidesetCount = side.valueBits();
  if (sidesetCount >= 1 && (opt == 0 || b.bit(12))) {
    t = (t + std::u16string(63, u' ')).substr(0, 23) + u" SIDE &b" +
        b.chars(4 + opt, sidesetCount) + pinHint(c.pins.sideset.base, sidesetCount, c.noHints);
  }
  int32_t delay = b.number(sidesetCount + opt + 4, 5 - count);
  if (delay >= 1) t += u"[" + text::decimal(delay) + u"]";
  while (!t.empty() && t.back() == u' ') t.pop_back();
  return t;
}

}  // namespace

DecodeContext decodeContextFor(const PioAssembler& pio, bool noHints) {
  const int32_t base = gpioBase(pio, pio.placement.currentPio);
  PinGroups pins = pio.block.pins;
  for (int32_t* first : {&pins.set.base, &pins.out.base, &pins.sideset.base, &pins.inBase}) {
    *first += base;
  }
  return {pio.registers(), pins, labelsOfCurrentBlock(pio), noHints, pio.block.versionOne, base};
}

std::u16string decodeForCurrentMachine(const PioContext& ctx, uint16_t word) {
  ctx.pio.block.pins.sideset.count = sideSetOf(ctx.pio.registers()).valueBits();
  return decodeInstruction(word, decodeContextFor(ctx.pio, ctx.options.noHints));
}

std::u16string decodeInstruction(uint16_t word, const DecodeContext& context) {
  Bits b(word);
  std::u16string note;
  std::u16string t = decodeOperation(b, context, note);
  return sideAndDelay(b, std::move(t), context) + note;
}

std::u16string pinHint(int64_t first, int64_t count, bool noHints) {
  if (noHints) return {};
  std::u16string list;
  if (count == 1) {
    list = u"GP" + text::decimal(first);
  } else if (count == 2) {
    list = u"GP" + text::decimal(first + 1) + u",GP" + text::decimal(first);
  } else if (count > 2) {
    list = u"GP" + text::decimal(first + count - 1) + u"-GP" + text::decimal(first);
  }
  return u"(" + list + u")";
}

std::u16string labelForAddress(const BlockLabels* labels, int32_t address) {
  const std::u16string* name = labels != nullptr ? labels->nameAt(address) : nullptr;
  return name != nullptr ? name->substr(0, name->size() - 1) : text::decimal(address);
}

}  // namespace pio
