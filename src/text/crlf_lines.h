#pragma once

#include <cstddef>
#include <string_view>

namespace text {

/// The line end of every text the tool builds and writes. An array, so it
/// appends to a std::u16string as it stands.
inline constexpr char16_t kCrLf[] = u"\r\n";

/// Calls lineFound with each CR LF-ended line of text, the CR LF included, in
/// order; returns how much of text those lines cover (the rest holds no CR LF).
template <typename LineFound>
size_t forEachCrLfLine(std::u16string_view text, LineFound&& lineFound) {
  size_t start = 0;
  for (size_t end; (end = text.find(kCrLf, start)) != std::u16string_view::npos; start = end + 2) {
    lineFound(text.substr(start, end + 2 - start));
  }
  return start;
}

}  // namespace text
