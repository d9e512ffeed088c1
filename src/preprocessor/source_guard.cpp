#include "preprocessor/source_guard.h"

#include "base/fatal_error.h"
#include "platform/files.h"

namespace pre {

void SourceGuard::refuseToOverwrite(const std::u16string& path) const {
  if (platform::sameFile(path, sourcePath_)) {
    base::fail(u"Prexle will not overwrite its source file: " + path);
  }
}

}  // namespace pre
