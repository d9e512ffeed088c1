#pragma once

#include <string>

namespace app {

/// The host folder as the run uses it: as given, or with a separator added
/// when it was given without one and, so, names no target program while the
/// folder itself exists. A form that finds its target as given is kept.
std::u16string hostFolderOf(const std::u16string& given, const std::u16string& mode);

}  // namespace app
