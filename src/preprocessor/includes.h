#pragma once

#include <string>

namespace base {
class Logs;
}

namespace pre {

class Conditionals;
class Emitter;
struct LibraryState;
struct LineState;
struct SourceOptions;
struct TargetOptions;

/// Where include files are found, fixed at start-up.
struct SourceFolders {
  /// The folder of the main source, ending with a separator: relative
  /// include names resolve against it.
  std::u16string sourceFolder;
  /// The source's file name, upper case, without its extension.
  std::u16string testName;
};

/// What the include step works with.
struct IncludeContext {
  LineState& line;
  Emitter& emitter;
  Conditionals& conditionals;
  LibraryState& library;
  SourceOptions& options;
  TargetOptions& target;
  const SourceFolders& folders;
  base::Logs& logs;
};

/// An #INCLUDE or #SPTEST line: the named file (or "header.inc") is read
/// from the source's folder and its lines emitted in place of the line, after
/// a banner; with #PASSINCLUDES the line is passed on, marked, instead. Inside
/// a library section without a matching load nothing is read. A file that
/// cannot be opened stops the run. Returns whether the line was one.
bool handleIncludeLine(IncludeContext& context);

/// One line of the header file, in lineBuffer: its own small set of
/// directives, then the line, left-trimmed, for the output.
void processIncludedLine(IncludeContext& context);

}  // namespace pre
