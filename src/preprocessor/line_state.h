#pragma once

#include <cstdint>
#include <string>

namespace pre {

/// The line being processed and what the read loop knows of it.
struct LineState {
  /// The line as read, without its line end. Handlers may put several CR
  /// LF-ended lines into it; what is left at the end is emitted.
  std::u16string lineBuffer;
  /// Lines read from the main source so far in this reading; the line map
  /// records it for every line the output receives.
  int32_t sourceLineNumber = 0;
  /// Set by a target line: the next emitted line is kept even as a comment,
  /// and mapped twice. Cleared after every emitted line and before each line
  /// read, so it never reaches an unrelated line.
  bool lineMapRepeat = false;
  /// Between a line that begins with "/*" and one that begins with "*/".
  bool inBlockComment = false;
};

}  // namespace pre
