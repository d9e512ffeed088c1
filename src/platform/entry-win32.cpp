#include <windows.h>

#include <string>
#include <vector>

#include "app/main.h"

namespace {

// Splits the command line the way the editor writes it: blanks and tabs
// separate parameters, a double quote starts or ends a quoted stretch and is
// dropped. A backslash is always a plain character: the host folder comes
// quoted and ends with a backslash ("C:\Corvane\"), which the C runtime's
// rules would read as an escaped quote. Windows paths hold no double quotes,
// so nothing is lost. The program's own name is the first word.
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

}  // namespace

int wmain(int, wchar_t**) {
  auto words = splitCommandLine(reinterpret_cast<const char16_t*>(::GetCommandLineW()));
  std::vector<std::u16string> arguments;
  if (words.size() > 1) arguments.assign(words.begin() + 1, words.end());
  return app::prexleMain(arguments);
}
