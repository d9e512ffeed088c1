#pragma once

#include <string_view>

namespace pre {

class Emitter;
struct LineState;

/// What opens a block comment, tested as a directive keyword.
inline constexpr std::u16string_view kBlockCommentKeywords[] = {u"/*"};

/// A line that begins with "/*" opens a block comment; the line goes on
/// through the later tests.
void noteBlockCommentStart(std::u16string_view lineBuffer, bool& inBlockComment);

/// Inside a block comment the line is commented out and emitted; a line that
/// begins with "*/" ends the block (and is itself commented).
void commentBlockLine(LineState& line, bool& inBlockComment, Emitter& emitter);

/// Inserted text (a code module, a generated file, a PIO block's generated
/// commands) inside a block comment: every one of its lines is commented.
void commentInsertedText(LineState& line, Emitter& emitter);

}  // namespace pre
