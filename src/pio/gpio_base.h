#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A PIO block reaches 32 GPIOs from its GPIO base: GP0-GP31, or on the
// RP2350B GP16-GP47. A block that names a pin above 31 runs its PIO block
// with the base at 16, and every pin field counts from there.

namespace pio {

class PioLine;
struct PioAssembler;

/// The highest GPIO a pin directive or "wait gpio" may name.
inline constexpr int32_t kLastGpio = 47;
/// The GPIO base that reaches the pins above 31.
inline constexpr int32_t kHighGpioBase = 16;

/// First reading: notes that the current block has the current PIO block
/// reach pin, so that the second reading knows the base from its first line.
void notePin(PioLine& line, int32_t pin);

/// First reading: notes the GPIO of a "wait [polarity] gpio N" line.
void noteWaitGpio(PioLine& line);

/// The GPIO base the current block gives PIO block pioBlock.
int32_t gpioBase(const PioAssembler& pio, int pioBlock);

/// Second reading, at a block start: the bases the first reading found.
void setGpioBases(PioAssembler& pio);

/// The highest pin the block's chip has: 31, or 47 on the RP2350.
int32_t lastPin(const PioAssembler& pio);

/// The field value that names pin (0 to lastPin) from the current PIO
/// block's base, or nullopt after failing the line: a pin below the base.
/// what names the directive or instruction in the message.
std::optional<int32_t> pinField(PioLine& line, int32_t pin, std::u16string_view what);

}  // namespace pio
