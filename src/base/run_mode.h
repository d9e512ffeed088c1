#pragma once

namespace base {

/// What the caller asked for, by the third parameter: "Brisko" (comments
/// stripped, a line map, the result for Brisko.exe), "Corvane" (comments
/// kept, the result for the editor) or "PIOCHECK" (as Corvane, ending with
/// the PIO check window).
enum class RunMode { brisko, corvane, pioCheck };

/// Corvane and PIOCHECK runs keep their comments and write no line map.
constexpr bool keepsComments(RunMode mode) { return mode != RunMode::brisko; }

}  // namespace base
