#include "pio/instruction_tail.h"

#include <optional>
#include <string>

#include "pio/pio_line.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kSideTooBig = u"side value too big for allocated bits";
constexpr std::u16string_view kSideMissing =
    u"instruction requires SIDE parameter as SIDESET OPT is not set.";
constexpr std::u16string_view kDelayTooBig = u"Delay value > allowed maximum of ";
constexpr std::u16string_view kUnexpectedWord = u"unexpected word after the operands";
constexpr std::u16string_view kRelWithNeighbour = u"rel does not go with prev or next";

// What the side-set leaves an instruction.
struct Geometry {
  int32_t count = 0;
  int32_t opt = 0;
  int32_t maxSide = 0;
  int32_t maxDelay = 0;
};

Geometry geometryOf(const SideSet& side) {
  Geometry g;
  g.count = side.count;
  g.opt = side.optional;
  int32_t valueBits = side.valueBits();
  g.maxSide = valueBits >= 0 ? (1 << valueBits) - 1 : -1;
  g.maxDelay = g.count <= 5 ? (1 << (5 - g.count)) - 1 : -1;
  return g;
}

bool isSideWord(std::u16string_view word) {
  return word == u"side" || word == u"sideset" || word == u"side_set";
}

uint32_t sideBits(PioLine& line, const Geometry& g, const Word& valueWord) {
  std::optional<int32_t> value = readValue(line, valueWord);
  if (!value) return 0;
  if (*value < 0 || *value > g.maxSide) {
    line.fail(ErrorKind::side, kSideTooBig, text::decimal(*value));
    return 0;
  }
  uint32_t bits = g.opt == 1 ? 0x1000 : 0;
  if (13 - g.count >= 0) bits += static_cast<uint32_t>(*value) << (13 - g.count);
  return bits;
}

uint32_t delayBits(PioLine& line, const Geometry& g, const Word& delayWord) {
  std::optional<int32_t> delay = readDelay(line, delayWord);
  if (!delay) return 0;
  if (*delay < 0 || *delay > g.maxDelay) {
    line.fail(ErrorKind::delay, std::u16string(kDelayTooBig) + text::decimal(g.maxDelay),
              text::decimal(*delay));
    return 0;
  }
  return static_cast<uint32_t>(*delay) << 8;
}

}  // namespace

bool applyFifoOption(std::u16string_view ifWord, std::u16string_view word, uint32_t& bits) {
  if (!ifWord.empty() && word == ifWord) {
    bits |= 0x40;
  } else if (word == u"block") {
    bits |= 0x20;
  } else if (word == u"noblock") {
    bits &= ~uint32_t{0x20};
  } else {
    return false;
  }
  return true;
}

uint32_t applyTail(PioLine& line, const Encoded& encoded) {
  SideSet side = sideSetOf(line.pio.registers());
  Geometry g = geometryOf(side);
  line.pio.block.pins.sideset.count = side.valueBits();
  uint32_t word = encoded.bits;
  std::optional<Word> sideWord;
  std::optional<Word> delay;
  std::u16string leftover;
  bool relRefused = false;
  while (const Word* next = line.peekWord()) {
    if (next->group || (next->text.starts_with(u'[') && !delay)) {
      // A group here is a note; a delay is read once the side value is known.
      if (!next->group) delay = *next;
      line.skipWord();
      continue;
    }
    std::u16string raw = next->text;
    std::u16string keyword = line.keyword();
    if (isSideWord(keyword) && !sideWord) {
      sideWord = line.valueWord();
    } else if (keyword == u"rel") {
      if (encoded.takesRel) word |= 0x10;
      relRefused = relRefused || encoded.neighbour;
    } else if (encoded.ifWord.empty() || !applyFifoOption(encoded.ifWord, keyword, word)) {
      if (leftover.empty()) leftover = raw;
    }
  }
  if (sideWord) word += sideBits(line, g, *sideWord);
  if (!sideWord && g.opt == 0 && line.pio.block.pins.sideset.count >= 1) {
    line.fail(ErrorKind::side, kSideMissing, u"?");
  }
  if (delay) word += delayBits(line, g, *delay);
  if (relRefused && !line.failed()) line.fail(ErrorKind::gen, kRelWithNeighbour, u"rel");
  if (!leftover.empty() && !line.failed()) line.fail(ErrorKind::gen, kUnexpectedWord, leftover);
  return word;
}

}  // namespace pio
