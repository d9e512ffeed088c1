#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pio {

/// A PIO line cut at its comment mark, the first of "'", ";" and "//".
struct CommentSplit {
  /// The line before the mark (the whole line when it has none).
  std::u16string_view code;
  /// The text after the mark, or the whole line when it has none; this is
  /// what the listing shows as the line's comment.
  std::u16string_view comment;
};

/// Cuts a line at the first comment mark, even one inside a word.
CommentSplit splitComment(std::u16string_view line);

/// Blanks out C-style comments: what stands between "/*" and "*/", the marks
/// included, across lines. inside says whether the line starts within such a
/// comment and is left saying whether it ends within one. A "/*" after a line
/// comment mark ("'", ";" or "//") opens nothing.
std::u16string blankBlockComments(std::u16string_view line, bool& inside);

/// One word of a PIO line, lower case, runs of blanks inside it shrunk.
struct Word {
  std::u16string text;
  /// A "(" with its matching ")", standing as a word of its own.
  bool group = false;
};

/// The words of a line's code: tabs count as blanks, blanks just inside "["
/// and "]" go, and the code splits at blanks and commas, except that a "("
/// with its matching ")" is one word and a "[" with its matching "]" stays in
/// the word that holds it. An unmatched bracket is an ordinary character.
std::vector<Word> splitWords(std::u16string_view code);

/// Tabs become blanks, and blanks just inside "[" and "]" go, so that a
/// tab-indented line or "[ 3 ]" reads like any other.
std::u16string preparePioLine(std::u16string_view line);

/// The form a line takes in the run log: parenthesised text dropped, trimmed,
/// commas turned into blanks, runs of blanks shrunk, lower case.
std::u16string normalisePioLine(std::u16string_view text);

}  // namespace pio
