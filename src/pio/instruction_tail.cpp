#include "pio/instruction_tail.h"

#include <optional>
#include <string>

#include "pio/pio_line.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kSideTooBig = u"side value too big for allocated bits";
constexpr std::u16string_view kSideMissing =
    u"instruction requires SIDE parameter as SIDESET OPT is not set.";
constexpr std::u16string_view kDelayTooBig = u"Delay value > allowed maximum of ";
constexpr std::u16string_view kUnexpectedWord = u"unexpected word after the operands";

// Side-set geometry from the images of the state machine. The count field is
// read four bits wide so a spilled ".side_set" value keeps every delay out.
struct Geometry {
  int32_t count = 0;
  int32_t opt = 0;
  int32_t maxSide = 0;
  int32_t maxDelay = 0;
};

Geometry geometryOf(const StateMachineConfig& config) {
  Geometry g;
  g.count = static_cast<int32_t>((config.pinctrl >> 29) & 0xF);
  g.opt = static_cast<int32_t>((config.execctrl >> 30) & 1);
  int32_t sideBits = g.count - g.opt;
  g.maxSide = sideBits >= 0 ? (1 << sideBits) - 1 : -1;
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
  Geometry g = geometryOf(line.pio.config());
  line.pio.pins.sideset.count = g.count - g.opt;
  uint32_t word = encoded.bits;
  std::optional<Word> side;
  std::optional<Word> delay;
  std::u16string leftover;
  while (const Word* next = line.peekWord()) {
    if (next->group || (next->text.starts_with(u'[') && !delay)) {
      // A group here is a note; a delay is read once the side value is known.
      if (!next->group) delay = *next;
      line.skipWord();
      continue;
    }
    std::u16string raw = next->text;
    std::u16string keyword = line.keyword();
    if (isSideWord(keyword) && !side) {
      side = line.valueWord();
    } else if (keyword == u"rel") {
      if (encoded.takesRel) word |= 0x10;
    } else if (encoded.ifWord.empty() || !applyFifoOption(encoded.ifWord, keyword, word)) {
      if (leftover.empty()) leftover = raw;
    }
  }
  if (side) word += sideBits(line, g, *side);
  if (!side && g.opt == 0 && line.pio.pins.sideset.count >= 1) {
    line.fail(ErrorKind::side, kSideMissing, u"?");
  }
  if (delay) word += delayBits(line, g, *delay);
  if (!leftover.empty() && !line.failed()) line.fail(ErrorKind::gen, kUnexpectedWord, leftover);
  return word;
}

}  // namespace pio
