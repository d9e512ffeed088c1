#include "platform/console.h"

#include "platform/descriptors-posix.h"

namespace platform {

bool writeStandardOutput(std::string_view bytes) { return writeAll(1, bytes); }

bool writeStandardError(std::string_view bytes) { return writeAll(2, bytes); }

}  // namespace platform
