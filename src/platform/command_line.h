#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// Splits a command line the way the editor writes it: blanks and tabs
/// separate words, a double quote starts or ends a quoted stretch and is
/// dropped, and a backslash is always a plain character. The program's own
/// name is the first word.
std::vector<std::u16string> splitCommandLine(std::u16string_view line);

}  // namespace platform
