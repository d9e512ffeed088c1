#include "preprocessor/block_comments.h"

#include "app/run_state.h"
#include "preprocessor/emitter.h"
#include "text/blanks.h"

namespace pre {

void noteBlockCommentStart(app::RunState& state) {
  if (text::trimLeadingBlanks(state.lineBuffer).starts_with(u"/*")) state.inBlockComment = true;
}

void commentBlockLine(app::RunState& state, Emitter& emitter) {
  if (text::trimLeadingBlanks(state.lineBuffer).starts_with(u"*/")) state.inBlockComment = false;
  state.lineBuffer = u"'" + state.lineBuffer + u"\r\n";
  emitter.flushLineBuffer();
}

}  // namespace pre
