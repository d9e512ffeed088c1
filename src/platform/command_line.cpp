#include "platform/command_line.h"

namespace platform {

// The host folder comes quoted and ends with a backslash ("C:\Corvane\"),
// which the C runtime's rules would read as an escaped quote. Windows paths
// hold no double quotes, so dropping every quote loses nothing.
std::vector<std::u16string> splitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool inWord = false;
  bool quoted = false;
  for (char16_t c : line) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == u' ' || c == u'\t') && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace platform
