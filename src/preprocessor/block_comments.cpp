#include "preprocessor/block_comments.h"

#include "preprocessor/emitter.h"
#include "preprocessor/line_state.h"
#include "text/blanks.h"
#include "text/lines.h"

namespace pre {

void noteBlockCommentStart(std::u16string_view lineBuffer, bool& inBlockComment) {
  if (text::isDirective(lineBuffer, kBlockCommentKeywords)) inBlockComment = true;
}

void commentBlockLine(LineState& line, bool& inBlockComment, Emitter& emitter) {
  if (text::trimLeadingBlanks(line.lineBuffer).starts_with(u"*/")) inBlockComment = false;
  line.lineBuffer = u"'" + line.lineBuffer + text::kCrLf;
  emitter.flushLineBuffer();
}

// Outside a block comment the text is followed by the empty line that ends
// its line; it is kept here too, commented, so both give as many lines.
void commentInsertedText(LineState& line, Emitter& emitter) {
  line.lineBuffer += text::kCrLf;
  std::u16string commented;
  text::forEachCrLfLine(line.lineBuffer, [&commented](std::u16string_view each) {
    commented += u'\'';
    commented += each;
  });
  line.lineBuffer = std::move(commented);
  emitter.flushLineBuffer();
}

}  // namespace pre
