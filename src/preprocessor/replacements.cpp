#include "preprocessor/replacements.h"

#include "app/run_state.h"
#include "preprocessor/emitter.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace pre {

bool handleReplaceLine(ReplaceTable& table, app::RunState& state, Emitter& emitter,
                       bool libraryLoadInForce) {
  std::u16string_view trimmed = text::trimLeadingBlanks(state.lineBuffer);
  const size_t keyword = text::findNoCase(trimmed, u"#REPLACE");
  if (keyword == std::u16string_view::npos) return false;
  const size_t apostrophe = trimmed.find(u'\'');
  if (apostrophe != std::u16string_view::npos && apostrophe < keyword) {
    // The keyword stands inside a comment: the whole line goes.
    state.lineBuffer.clear();
    return true;
  }
  const std::u16string workLine = text::normaliseBlanks(state.lineBuffer);
  table.push_back({std::u16string(text::field(workLine, 2)), std::u16string(text::field(workLine, 3))});
  state.lineBuffer = (state.espOption ? u";" : u"'") + state.lineBuffer + u"\r\n";
  if (!libraryLoadInForce && !state.espOption) {
    emitter.appendDirect(state.lineBuffer);
  }
  state.lineBuffer.clear();
  return true;
}

}  // namespace pre
