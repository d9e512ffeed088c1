#include "platform/memory.h"

namespace platform {

// Large pages on Windows need a privilege a normal user does not hold.
void preferLargePages(void*, size_t) {}

}  // namespace platform
