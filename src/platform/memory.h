#pragma once

#include <cstddef>

namespace platform {

/// Asks the OS to back a large buffer that the run is about to fill with
/// large pages, which cost far fewer faults to touch and to free. A hint
/// only: nothing changes where the OS has no such pages to give.
void preferLargePages(void* data, size_t bytes);

}  // namespace platform
