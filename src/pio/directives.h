#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pio {

class PioLine;

/// Applies the directive named by the line's first word (already taken) and
/// returns the line's result; nullopt when the word names no directive.
std::optional<int> applyDirective(PioLine& line, std::u16string_view name);

/// The program name of a ".program" line body: the text after the keyword,
/// trimmed, cut before any apostrophe and then before any ";".
std::u16string programNameOf(std::u16string_view body);

}  // namespace pio
