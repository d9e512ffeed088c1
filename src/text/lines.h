#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/crlf_lines.h"

namespace text {

/// Splits text into lines ending at LF, CR LF or a lone CR. A last line
/// without a line end is a line; a final line end adds no empty line.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace text
