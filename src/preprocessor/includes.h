#pragma once

#include <string>
#include <string_view>

namespace base {
class Logs;
struct SourceLocation;
}

namespace pre {

class DefinedSymbols;
class Emitter;
struct LibraryState;
struct LineState;
struct Reading;
struct SourceOptions;
struct TargetOptions;

/// The include directives: a file named after the keyword, or the header
/// file "header.inc".
inline constexpr std::u16string_view kIncludeKeyword = u"#INCLUDE";
inline constexpr std::u16string_view kHeaderFileKeyword = u"#SPTEST";
inline constexpr std::u16string_view kIncludeKeywords[] = {kIncludeKeyword, kHeaderFileKeyword};

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
  DefinedSymbols& symbols;
  Reading& reading;
  LibraryState& library;
  SourceOptions& options;
  TargetOptions& target;
  const SourceFolders& folders;
  base::Logs& logs;
  /// The line under way; it follows the lines of an included file while
  /// they are emitted, and is back at the include line afterwards.
  base::SourceLocation& where;
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
