#pragma once

#include <string>

namespace pre {

/// The line being processed.
struct LineState {
  /// The line as read, without its line end. Handlers may put several CR
  /// LF-ended lines into it; what is left at the end is emitted.
  std::u16string lineBuffer;
  /// Set by a target line: the next emitted line is kept even as a comment,
  /// and mapped twice. Cleared after every emitted line and before each line
  /// read, so it never reaches an unrelated line.
  bool lineMapRepeat = false;
};

}  // namespace pre
