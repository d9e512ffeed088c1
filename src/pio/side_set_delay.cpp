#include "pio/side_set_delay.h"

#include <string>

#include "pio/guidance.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kSideTooBig = u"side value too big for allocated bits";
constexpr std::u16string_view kSideMissing =
    u"instruction requires SIDE parameter as SIDESET OPT is not set.";
constexpr std::u16string_view kDelayTooBig = u"Delay value > allowed maximum of ";

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

uint32_t sideBits(PioLine& line, const Geometry& g, const std::u16string& valueWord) {
  int32_t value = parsePioNumber(valueWord);
  if (value < 0 || value > g.maxSide) {
    line.fail(kKindSide, kSideTooBig, text::decimal(value));
    return 0;
  }
  uint32_t bits = g.opt == 1 ? 0x1000 : 0;
  if (13 - g.count >= 0) bits += static_cast<uint32_t>(value) << (13 - g.count);
  return bits;
}

uint32_t delayBits(PioLine& line, const Geometry& g, const std::u16string& delayWord) {
  int32_t delay = parsePioNumber(std::u16string_view(delayWord).substr(1));
  if (delay < 0 || delay > g.maxDelay) {
    line.fail(kKindDelay, std::u16string(kDelayTooBig) + text::decimal(g.maxDelay),
              text::decimal(delay));
    return 0;
  }
  return static_cast<uint32_t>(delay) << 8;
}

}  // namespace

uint32_t applySideSetAndDelay(PioLine& line, uint32_t word) {
  Geometry g = geometryOf(line.pio.config());
  line.pio.sidesetCount = g.count - g.opt;
  bool sideSeen = false;
  std::u16string delayWord = line.next();
  if (delayWord == u"side") {
    sideSeen = true;
    word += sideBits(line, g, line.next());
    delayWord = line.next();
  } else if (delayWord.starts_with(u"[") && line.peek() == u"side") {
    // Side-set written after the delay reads as if written before it.
    line.next();
    sideSeen = true;
    word += sideBits(line, g, line.next());
  }
  if (!sideSeen && g.opt == 0 && line.pio.sidesetCount >= 1) {
    line.fail(kKindSide, kSideMissing, u"?");
  }
  if (delayWord.starts_with(u"[")) word += delayBits(line, g, delayWord);
  return word;
}

}  // namespace pio
