#pragma once

#include <string_view>

namespace platform {

// Shared by the POSIX implementations only.

/// Writes all bytes to an open file descriptor, going on after interrupted
/// and partial writes; false when the descriptor takes no more.
bool writeAll(int fd, std::string_view bytes);

}  // namespace platform
