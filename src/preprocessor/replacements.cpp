#include "preprocessor/replacements.h"

#include "preprocessor/emitter.h"
#include "preprocessor/libraries.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/quotes.h"

namespace pre {

bool handleReplaceLine(ReplaceTable& table, std::u16string& lineBuffer, const TargetOptions& target,
                       LibraryKind libraryLoad, Emitter& emitter) {
  constexpr std::u16string_view keyword = kReplaceKeywords[0];
  std::u16string_view trimmed = text::trimLeadingBlanks(lineBuffer);
  const size_t apostrophe = text::findOutsideQuotes(trimmed, u'\'');
  const std::u16string_view code = trimmed.substr(0, apostrophe);
  // Text in double quotes is a string of the program, never a directive.
  if (text::findNoCaseOutsideQuotes(code, keyword) == std::u16string_view::npos) {
    if (apostrophe == std::u16string_view::npos || !text::containsNoCase(trimmed.substr(apostrophe), keyword)) {
      return false;
    }
    // The keyword stands inside a comment: the whole line goes.
    lineBuffer.clear();
    return true;
  }
  const std::u16string workLine = text::normaliseBlanks(lineBuffer);
  table.push_back({std::u16string(text::field(workLine, 2)), std::u16string(text::field(workLine, 3))});
  lineBuffer = (target.espOption ? u";" : u"'") + lineBuffer + text::kCrLf;
  if (libraryLoad == LibraryKind::none && !target.espOption) emitter.appendDirect(lineBuffer);
  lineBuffer.clear();
  return true;
}

}  // namespace pre
