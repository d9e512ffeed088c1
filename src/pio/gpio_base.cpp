#include "pio/gpio_base.h"

#include <string>
#include <vector>

#include "pio/guidance.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

int keyOf(int blockNumber, int pioBlock) { return blockNumber * kPioBlockCount + pioBlock; }

std::u16string gp(int32_t pin) { return u"GP" + text::decimal(pin); }

}  // namespace

void notePin(PioLine& line, int32_t pin) {
  PioAssembler& pio = line.pio;
  if (pin > kLastAddress && pin <= kLastGpio) {
    pio.symbols.highGpioBlocks.insert(keyOf(pio.placement.blockNumber, pio.placement.currentPio));
  }
}

void noteWaitGpio(PioLine& line) {
  const std::vector<Word>& words = line.words();
  for (size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i].group || words[i].text != u"gpio") continue;
    if (std::optional<int32_t> pin = readValue(line, words[i + 1])) notePin(line, *pin);
    return;
  }
}

int32_t gpioBase(const PioAssembler& pio, int pioBlock) { return pio.block.gpioBase[pioBlock]; }

void setGpioBases(PioAssembler& pio) {
  for (int p = 0; p < kPioBlockCount; ++p) {
    const bool high = pio.symbols.highGpioBlocks.contains(keyOf(pio.placement.blockNumber, p));
    pio.block.gpioBase[p] = high && pio.block.chip == Chip::rp2350 ? kHighGpioBase : 0;
  }
}

int32_t lastPin(const PioAssembler& pio) {
  return pio.block.chip == Chip::rp2350 ? kLastGpio : kLastAddress;
}

std::optional<int32_t> pinField(PioLine& line, int32_t pin, std::u16string_view what) {
  const int pioBlock = line.pio.placement.currentPio;
  const int32_t base = gpioBase(line.pio, pioBlock);
  if (pin < base) {
    line.fail(ErrorKind::gen,
              std::u16string(what) + u" " + gp(pin) + u" is out of reach: a pin above 31 in the block" +
                  u" moves PIO " + text::decimal(pioBlock) + u" to GP16-GP47",
              gp(pin));
    return std::nullopt;
  }
  return pin - base;
}

}  // namespace pio
