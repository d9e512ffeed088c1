#include "preprocessor/block_comments.h"

#include "preprocessor/emitter.h"
#include "preprocessor/line_state.h"
#include "text/blanks.h"
#include "text/crlf_lines.h"

namespace pre {

void noteBlockCommentStart(LineState& line) {
  if (text::trimLeadingBlanks(line.lineBuffer).starts_with(u"/*")) line.inBlockComment = true;
}

void commentBlockLine(LineState& line, Emitter& emitter) {
  if (text::trimLeadingBlanks(line.lineBuffer).starts_with(u"*/")) line.inBlockComment = false;
  line.lineBuffer = u"'" + line.lineBuffer + text::kCrLf;
  emitter.flushLineBuffer();
}

void commentInsertedText(LineState& line, Emitter& emitter) {
  std::u16string commented;
  text::forEachCrLfLine(line.lineBuffer, [&commented](std::u16string_view each) {
    commented += u'\'';
    commented += each;
  });
  line.lineBuffer = std::move(commented);
  emitter.flushLineBuffer();
}

}  // namespace pre
