#include "preprocessor/target_options.h"

#include "preprocessor/line_state.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/quotes.h"

namespace pre {
namespace {

// Every occurrence goes, and what closes up behind it is looked at again, so
// "#PI_#PI_AUTOSAVEAUTOSAVE" loses both; one pass, however many there are.
std::u16string removeAllNoCase(std::u16string_view s, std::u16string_view word) {
  std::u16string out;
  for (char16_t c : s) {
    out += c;
    if (out.size() >= word.size() &&
        text::equalsNoCase(std::u16string_view(out).substr(out.size() - word.size()), word)) {
      out.resize(out.size() - word.size());
    }
  }
  return out;
}

}  // namespace

bool handleTargetLine(LineState& line, int32_t sourceLineNumber, TargetOptions& target) {
  const std::u16string t(text::trimLeadingBlanks(line.lineBuffer));
  // A mention inside a string of the program is no target line.
  constexpr size_t kNone = std::u16string::npos;
  if (text::findNoCaseOutsideQuotes(t, kTargetLineMarks[0]) == kNone ||
      text::findNoCaseOutsideQuotes(t, u"''target ") != kNone) {
    return false;
  }
  line.lineBuffer = t + text::kCrLf;
  target.targetLine = line.lineBuffer;
  target.targetLineNumber = sourceLineNumber;
  line.lineMapRepeat = true;
  if (text::containsNoCase(t, u" winbasic\\")) target.winBasicTarget = true;
  if (text::containsNoCase(t, u" autorun")) target.autoRunTarget = true;
  return true;
}

// A handled line is a comment afterwards (";" for those that must survive
// stripping), so one keyword at most matches.
bool handleTargetOptions(std::u16string& line, TargetOptions& target) {
  const std::u16string_view keyword = text::directiveKeyword(line, kTargetOptionKeywords);
  if (keyword.empty()) return false;
  const bool restart = keyword == kEspClipboardKeyword && !target.espOption;
  if (restart) target.espOption = target.clipboardMode = true;
  if (keyword == kPiClipboardKeyword) target.clipboardMode = true;
  if (keyword == kPiAutoRunKeyword) target.piAutoRun = true;
  if (keyword == kPiAutoSaveKeyword) {
    target.piAutoSave = true;
    target.saveName = text::withoutQuotes(text::trimLeadingBlanks(removeAllNoCase(line, keyword)));
  }
  const bool esp = keyword == kEspKeepCommentsKeyword || keyword == kEspClipboardKeyword;
  line = esp ? u";" + line + text::kCrLf : u"'" + line;
  return restart;
}

}  // namespace pre
