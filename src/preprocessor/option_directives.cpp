#include "preprocessor/option_directives.h"

#include <cstdint>

#include "base/logs.h"
#include "preprocessor/directive_line.h"
#include "text/blanks.h"
#include "text/numbers.h"

namespace pre {
namespace {

// A delay that is missing, not a number or not positive means the default:
// a negative wait would never end.
int winDelayOf(std::u16string_view lineBuffer) {
  int64_t value = text::leadingDecimal(text::field(text::normaliseBlanks(lineBuffer), 2));
  return value > 0 && value <= INT32_MAX ? static_cast<int>(value) : kDefaultWinDelay;
}

// Comments a line that holds the keyword and sets the flag.
void setFlag(std::u16string& lineBuffer, std::u16string_view keyword, bool& flag) {
  if (!text::isDirective(lineBuffer, keyword)) return;
  commentOut(lineBuffer);
  flag = true;
}

}  // namespace

bool handleDebugLine(std::u16string& lineBuffer, base::Logs& logs) {
  if (!text::isDirective(lineBuffer, u"#DEBUG")) return false;
  commentOut(lineBuffer);
  logs.startRunLog();
  return true;
}

bool handleLibraryIgnoreLine(std::u16string& lineBuffer, SourceOptions& options) {
  if (!text::isDirective(lineBuffer, u"#LIBRARYIGNORE")) return false;
  commentOut(lineBuffer);
  options.libraryIgnore = true;
  return true;
}

// The tests run one after the other on the same line; a handled line is a
// comment afterwards, so no later one matches it.
void handleOptionDirectives(std::u16string& lineBuffer, SourceOptions& options, base::Logs& logs) {
  handleDebugLine(lineBuffer, logs);
  if (text::isDirective(lineBuffer, u"#WINDELAY")) {
    options.winDelay = winDelayOf(lineBuffer);
    commentOut(lineBuffer);
  }
  setFlag(lineBuffer, u"#KEEPCOMMENTS", options.keepComments);
  setFlag(lineBuffer, u"#PASSINCLUDES", options.passIncludes);
  handleLibraryIgnoreLine(lineBuffer, options);
}

}  // namespace pre
