#include "delivery/target_options.h"

#include "app/run_state.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace delivery {
namespace {

std::u16string removeAllNoCase(std::u16string s, std::u16string_view word) {
  for (size_t at; (at = text::findNoCase(s, word)) != std::u16string::npos;) s.erase(at, word.size());
  return s;
}

std::u16string withoutQuotes(std::u16string s) {
  std::erase(s, u'"');
  return s;
}

}  // namespace

bool handleTargetLine(app::RunState& state) {
  const std::u16string t(text::trimLeadingBlanks(state.lineBuffer));
  if (!text::containsNoCase(t, u"'target ") || text::containsNoCase(t, u"''target ")) return false;
  state.lineBuffer = t + u"\r\n";
  state.targetLine = state.lineBuffer;
  state.targetLineNumber = state.sourceLineNumber;
  state.lineMapRepeat = true;
  if (text::containsNoCase(t, u" winbasic\\")) state.winBasicTarget = true;
  if (text::containsNoCase(t, u" autorun")) state.autoRunTarget = true;
  return true;
}

void handleTargetOptions(app::RunState& state) {
  std::u16string& line = state.lineBuffer;
  if (text::isDirective(line, u"#ESP_KEEPCOMMENTS")) {
    line = u";" + line + u"\r\n";
  }
  if (text::isDirective(line, u"#ESP_CLIPBOARD")) {
    if (!state.espOption) {
      state.espOption = true;
      state.clipboardMode = true;
      state.restartReading = true;
    }
    line = u";" + line + u"\r\n";
  }
  if (text::isDirective(line, u"#PI_CLIPBOARD")) {
    state.clipboardMode = true;
    line = u"'" + line;
  }
  if (text::isDirective(line, u"#PI_AUTORUN")) {
    state.piAutoRun = true;
    line = u"'" + line;
  }
  if (text::isDirective(line, u"#PI_AUTOSAVE")) {
    state.piAutoSave = true;
    state.saveName = withoutQuotes(
        std::u16string(text::trimLeadingBlanks(removeAllNoCase(line, u"#PI_AUTOSAVE"))));
    line = u"'" + line;
  }
}

}  // namespace delivery
