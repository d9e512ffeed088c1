#pragma once

#include <string>
#include <string_view>

namespace app {

/// The program name taken from the source path by the pattern
/// "\w*.[bi][an][sc]$" (any case): the first match in upper case less its
/// last four characters; empty when nothing matches.
std::u16string testNameOf(std::u16string_view sourcePath);

}  // namespace app
