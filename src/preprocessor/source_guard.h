#pragma once

#include <string>

namespace pre {

/// The file the run reads. Nothing the run writes may be that file, however
/// it is reached: by the same name, another name, or through a link.
class SourceGuard {
 public:
  explicit SourceGuard(std::u16string sourcePath) : sourcePath_(std::move(sourcePath)) {}

  /// Stops the run when writing the path would overwrite the source; called
  /// before the file is created or emptied.
  void refuseToOverwrite(const std::u16string& path) const;

 private:
  std::u16string sourcePath_;
};

}  // namespace pre
