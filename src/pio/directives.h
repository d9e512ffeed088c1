#pragma once

#include <string>
#include <string_view>

#include "pio/line_result.h"

namespace pio {

class PioLine;

/// Applies the directive named by the line's first word (already taken) and
/// returns the line's result. Both readings come here: the first applies
/// only the directives that place code and names (".program", ".pio", ".sm",
/// ".origin", ".define", ".decode"), the second every one, and reports a
/// name that is no directive.
LineResult applyDirective(PioLine& line, std::u16string_view name);

/// The program name of a ".program" line: the text after the keyword,
/// trimmed, cut before any "'", then any ";", then any "//".
std::u16string programNameOf(std::u16string_view rest);

}  // namespace pio
