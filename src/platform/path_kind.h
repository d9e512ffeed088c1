#pragma once

#include <string>

namespace platform {

/// What a path names, links followed.
enum class PathKind { missing, file, folder };

/// Anything but a folder that exists counts as a file (devices and pipes
/// included, since they read and write like one).
PathKind pathKind(const std::u16string& path);

/// Whether the path names, links followed, a character device or a pipe
/// (/dev/null, /dev/stdout, NUL, CON): a file that is written into as it
/// stands, since renaming a new file over it would replace the device.
bool isStream(const std::u16string& path);

/// Whether the file can be opened for reading now; it is closed again.
bool canOpenForReading(const std::u16string& path);

}  // namespace platform
