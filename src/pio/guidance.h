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

/// Ends the message of a form only the RP2350 runs ("wait jmppin" + this).
inline constexpr std::u16string_view kNeedsRp2350 = u" needs the RP2350";

/// Counts one error, notes it with the place of the line being read, and
/// writes its guidance block to the PIO report: a marker pointing up at the
/// source line the caller has just written, the lines for the kind, and a
/// closing rule; then hands the logs the line stating it, with that place.
void reportPioError(PioAssembler& pio, base::Logs& logs, ErrorKind kind,
                    std::u16string_view message, std::u16string_view detail,
                    ReportMode mode = ReportMode::plain);

}  // namespace pio
