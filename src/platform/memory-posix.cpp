#include "platform/memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

void preferLargePages(void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  // Past a few dozen megabytes the kernel may have to compact memory to find
  // large pages, which costs more than the faults it saves.
  constexpr size_t kLargest = size_t{32} << 20;
  if (bytes > kLargest) return;
  // Only whole pages inside the buffer can be advised.
  constexpr uintptr_t kPage = 4096;
  const auto begin = reinterpret_cast<uintptr_t>(data);
  const uintptr_t first = (begin + kPage - 1) & ~(kPage - 1);
  const uintptr_t last = (begin + bytes) & ~(kPage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace platform
