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

}  // namespace

bool handleDebugLine(std::u16string& lineBuffer, base::Logs& logs) {
  if (!text::isDirective(lineBuffer, kDebugKeyword)) return false;
  commentOut(lineBuffer);
  logs.startRunLog();
  return true;
}

bool handleLibraryIgnoreLine(std::u16string& lineBuffer, SourceOptions& options) {
  if (!text::isDirective(lineBuffer, kLibraryIgnoreKeyword)) return false;
  commentOut(lineBuffer);
  options.libraryIgnore = true;
  return true;
}

// A handled line is a comment afterwards, so one keyword at most matches.
void handleOptionDirectives(std::u16string& lineBuffer, SourceOptions& options, base::Logs& logs) {
  const std::u16string_view keyword = text::directiveKeyword(lineBuffer, kOptionKeywords);
  if (keyword == kDebugKeyword) logs.startRunLog();
  if (keyword == kWinDelayKeyword) options.winDelay = winDelayOf(lineBuffer);
  if (keyword == kKeepCommentsKeyword) options.keepComments = true;
  if (keyword == kPassIncludesKeyword) options.passIncludes = true;
  if (keyword == kLibraryIgnoreKeyword) options.libraryIgnore = true;
  if (!keyword.empty()) commentOut(lineBuffer);
}

}  // namespace pre
