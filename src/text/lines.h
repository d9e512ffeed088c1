#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>


namespace text {

/// The line end of every text the tool builds and writes. An array, so it
/// appends to a std::u16string as it stands.
inline constexpr char16_t kCrLf[] = u"\r\n";

/// Splits text into lines ending at LF, CR LF or a lone CR. A last line
/// without a line end is a line; a final line end adds no empty line.
std::vector<std::u16string> splitLines(std::u16string_view text);

/// The same lines as splitLines, as views into text, which must outlive them.
std::vector<std::u16string_view> splitLineViews(std::u16string_view text);

/// Position of the first a or b at or after from; text.size() when none.
size_t findEither(std::u16string_view text, char16_t a, char16_t b, size_t from = 0);

/// Position of the first CR or LF at or after from; text.size() when none.
size_t findLineBreak(std::u16string_view text, size_t from = 0);

/// Calls lineFound with each CR LF-ended line of text, the CR LF included, in
/// order; returns how much of text those lines cover (the rest holds no CR LF).
template <typename LineFound>
size_t forEachCrLfLine(std::u16string_view text, LineFound&& lineFound) {
  size_t start = 0;
  for (size_t from = 0;;) {
    const size_t at = findLineBreak(text, from);
    if (at + 1 >= text.size()) return start;
    from = at + 1;
    if (text[at] != u'\r' || text[at + 1] != u'\n') continue;
    lineFound(text.substr(start, at + 2 - start));
    start = from = at + 2;
  }
}

}  // namespace text
