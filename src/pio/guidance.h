#pragma once

#include <string>
#include <string_view>

namespace base {
class Logs;
}

namespace pio {

struct PioAssembler;

/// Error kinds; each picks its block of guidance lines.
enum class ErrorKind { jmp, wait, mov, irq, set, dir, gen, side, delay };

/// How a report is laid out: an unresolved jump label has its own block.
enum class ReportMode { plain, unresolvedLabel };

/// The message of ".pio 2" for the RP2040, which has two PIO blocks.
inline constexpr std::u16string_view kThirdPioBlock =
    u".pio 2 needs the RP2350, the chip with a third PIO block (.chip rp2350)";
inline constexpr std::u16string_view kThirdPioBlockOfRun =
    u".pio 2 needs the RP2350, the chip with a third PIO block (--chip rp2350)";
/// The message of a PIO block number out of range, by chip.
inline constexpr std::u16string_view kPioRange = u".pio has range 0-1 Invalid value ";
inline constexpr std::u16string_view kPioRangeRp2350 = u".pio has range 0-2 Invalid value ";

/// Ends the message of a form only PIO version 1 has ("wait jmppin" + this).
inline constexpr std::u16string_view kNeedsVersionOne = u" needs the RP2350 and .pio_version 1";

/// Counts one error, notes it with the place of the line being read, and
/// writes its guidance block to the PIO report: a marker pointing up at the
/// source line the caller has just written, the lines for the kind, and a
/// closing rule; then hands the logs the line stating it, with that place.
void reportPioError(PioAssembler& pio, base::Logs& logs, ErrorKind kind,
                    std::u16string_view message, std::u16string_view detail,
                    ReportMode mode = ReportMode::plain);

}  // namespace pio
