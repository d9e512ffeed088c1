#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/run_state.h"

namespace app {

/// Whether the command line is the one the editor passes: exactly three
/// parameters, none of which begins with "-".
bool isEditorForm(const std::vector<std::u16string>& arguments);

/// The editor's three parameters (source path, host folder, mode) as a
/// request: the result beside the source, the working files in the editor's
/// data folder, the hand-off at the end. An unknown mode stops the run.
RunRequest editorFormRequest(const std::vector<std::u16string>& arguments);

/// What the run works out from the request: the target program and where
/// include files are found.
RunSettings settingsFor(RunRequest request);

/// The editor's data folder: "AppData\Local\Corvane5\" in the user's
/// profile, or the host folder's "DATA\" when it holds "portable.inf".
std::u16string editorDataFolder(const std::u16string& hostFolder);

/// The path made full against the current folder, unless it is one already.
std::u16string fullPath(const std::u16string& path);

/// The folder with a separator at its end.
std::u16string withSeparator(std::u16string folder);

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
