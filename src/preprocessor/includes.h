#pragma once

#include <functional>
#include <string>

namespace app {
struct RunState;
}
namespace base {
class Logs;
}

namespace pre {

class Conditionals;
class Emitter;
struct LibraryState;

/// What the include step works with.
struct IncludeContext {
  app::RunState& state;
  Emitter& emitter;
  Conditionals& conditionals;
  LibraryState& library;
  base::Logs& logs;
  /// Opens the run log, as a #DEBUG line does.
  std::function<void()> openRunLog;
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
