#pragma once

#include <string_view>

namespace base {
class Logs;
}

namespace pio {

struct PioAssembler;

/// Error kinds; each picks its block of guidance lines.
inline constexpr std::u16string_view kKindJmp = u"JMP";
inline constexpr std::u16string_view kKindWait = u"WAIT";
inline constexpr std::u16string_view kKindMov = u"MOV";
inline constexpr std::u16string_view kKindIrq = u"IRQ";
inline constexpr std::u16string_view kKindSet = u"SET";
inline constexpr std::u16string_view kKindDir = u"DIR";
inline constexpr std::u16string_view kKindGen = u"GEN";
inline constexpr std::u16string_view kKindSide = u"SIDE";
inline constexpr std::u16string_view kKindDelay = u"DELAY";

/// Mode of an unresolved jump label; every other report uses 0.
inline constexpr int kModeLabel = 1;

/// Counts one error and writes its guidance block to the PIO report: a marker
/// pointing up at the source line the caller has just written, the lines for
/// the kind, and a closing rule.
void reportPioError(PioAssembler& pio, base::Logs& logs, std::u16string_view kind,
                    std::u16string_view message, std::u16string_view detail, int mode);

}  // namespace pio
