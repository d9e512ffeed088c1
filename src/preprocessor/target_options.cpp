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

bool handleTargetLine(LineState& line, TargetOptions& target) {
  const std::u16string t(text::trimLeadingBlanks(line.lineBuffer));
  // A mention inside a string of the program is no target line.
  constexpr size_t kNone = std::u16string::npos;
  if (text::findNoCaseOutsideQuotes(t, u"'target ") == kNone ||
      text::findNoCaseOutsideQuotes(t, u"''target ") != kNone) {
    return false;
  }
  line.lineBuffer = t + text::kCrLf;
  target.targetLine = line.lineBuffer;
  target.targetLineNumber = line.sourceLineNumber;
  line.lineMapRepeat = true;
  if (text::containsNoCase(t, u" winbasic\\")) target.winBasicTarget = true;
  if (text::containsNoCase(t, u" autorun")) target.autoRunTarget = true;
  return true;
}

bool handleTargetOptions(std::u16string& line, TargetOptions& target) {
  bool restart = false;
  if (text::isDirective(line, u"#ESP_KEEPCOMMENTS")) {
    line = u";" + line + text::kCrLf;
  }
  if (text::isDirective(line, u"#ESP_CLIPBOARD")) {
    if (!target.espOption) {
      target.espOption = true;
      target.clipboardMode = true;
      restart = true;
    }
    line = u";" + line + text::kCrLf;
  }
  if (text::isDirective(line, u"#PI_CLIPBOARD")) {
    target.clipboardMode = true;
    line = u"'" + line;
  }
  if (text::isDirective(line, u"#PI_AUTORUN")) {
    target.piAutoRun = true;
    line = u"'" + line;
  }
  if (text::isDirective(line, u"#PI_AUTOSAVE")) {
    target.piAutoSave = true;
    target.saveName =
        text::withoutQuotes(text::trimLeadingBlanks(removeAllNoCase(line, u"#PI_AUTOSAVE")));
    line = u"'" + line;
  }
  return restart;
}

}  // namespace pre
