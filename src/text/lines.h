#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/crlf_lines.h"

namespace text {

/// Splits text into lines ending at LF, CR LF or a lone CR. A last line
/// without a line end is a line; a final line end adds no empty line.
std::vector<std::u16string> splitLines(std::u16string_view text);

/// The same lines as splitLines, as views into text, which must outlive them.
std::vector<std::u16string_view> splitLineViews(std::u16string_view text);

/// Position of the first CR or LF at or after from; text.size() when none.
size_t findLineBreak(std::u16string_view text, size_t from = 0);

}  // namespace text
