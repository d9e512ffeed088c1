#pragma once

#include <string>
#include <vector>

#include "app/run_state.h"

namespace app {

/// Checks the three parameters and works out the run's mode, paths and
/// folders. A wrong parameter count or an unknown mode stops the run.
RunSettings startUp(const std::vector<std::u16string>& arguments);

/// The result path: a sub-folder "X" of the source's folder in Brisko mode
/// (the folder is created), "_x" before the extension otherwise.
std::u16string outputPathFor(const std::u16string& sourcePath, const std::u16string& extension,
                             bool brisko);

/// The folder part of a path: everything up to and including its last "\" or
/// "/" (empty when it has none), whatever characters the file name holds.
std::u16string folderOf(std::u16string_view path);

/// "." and the extension of the file name in the path; empty when the name
/// has none.
std::u16string extensionOf(std::u16string_view path);

}  // namespace app
