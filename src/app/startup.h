#pragma once

#include <string>
#include <vector>

#include "app/run_state.h"

namespace app {

/// Checks the three parameters and works out the run's mode, paths and
/// folders. A wrong parameter count or an unknown mode stops the run.
RunSettings startUp(const std::vector<std::u16string>& arguments);

/// The result path of a Brisko run: the source's name in the sub-folder "X"
/// of its folder, which is created.
std::u16string outputPathInFolderX(const std::u16string& sourcePath);

/// The result path of the other modes: "_x" before the extension, beside the
/// source.
std::u16string outputPathBesideSource(const std::u16string& sourcePath, const std::u16string& extension);

/// The folder part of a path: everything up to and including its last "\" or
/// "/" (empty when it has none), whatever characters the file name holds.
std::u16string folderOf(std::u16string_view path);

/// "." and the extension of the file name in the path; empty when the name
/// has none.
std::u16string extensionOf(std::u16string_view path);

}  // namespace app
