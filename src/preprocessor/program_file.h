#pragma once

#include <optional>
#include <string>

namespace pre {

/// The bytes of a program file (the source or an include), as UTF-8: a file
/// saved as UTF-16 (with its byte-order mark, in either byte order) is
/// converted. nullopt when the file cannot be opened; something that is not
/// a plain file (a folder, device or pipe) stops the run with a message.
std::optional<std::string> readProgramFile(const std::u16string& path);

}  // namespace pre
