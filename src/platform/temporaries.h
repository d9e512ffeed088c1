#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Temporary files are named ".prexle-<process id>-<8 hex digits>.tmp" in the
// folder of the file they stand in for: short whatever the length of that
// file's name, so they fit wherever it fits, and marked with their process,
// so that a later run can tell what a dead run left behind. The records of a
// group of files being put in place end in ".rec" instead.

enum class TemporaryKind { file, groupRecord };

/// The folder part of a path, with its last separator; "" when it has none.
std::u16string folderPart(std::u16string_view path);

/// A fresh temporary path in the folder of path.
std::u16string temporaryPathBeside(std::u16string_view path, TemporaryKind kind = TemporaryKind::file);

/// The process that made a temporary file (or group record) of that name;
/// nullopt for any other name.
std::optional<uint32_t> temporaryOwner(std::u16string_view name);

/// Removes from the folder of path the temporary files of processes that no
/// longer run (killed, or lost with the machine), after finishing the groups
/// their records describe; each folder once per run.
void removeStaleTemporariesBeside(std::u16string_view path);

}  // namespace platform
