#pragma once

#include <cstdint>
#include <string>

namespace base {

/// A line of a file the run reads: the main source, or the file a line was
/// included from. Line 0 stands for no line (before or after the reading).
struct SourceLocation {
  /// The path as the run builds it (the platform maps its separators).
  std::u16string file;
  /// 1-based within the file.
  int32_t line = 0;

  bool known() const { return line > 0; }
};

}  // namespace base
