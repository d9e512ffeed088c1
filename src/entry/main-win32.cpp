#include <windows.h>

#include <string>
#include <vector>

#include "app/main.h"
#include "platform/command_line.h"

int wmain(int, wchar_t**) {
  // The raw command line, not the runtime's argv: the runtime would read the
  // quoted host folder's final backslash as an escaped quote.
  auto words = platform::splitCommandLine(reinterpret_cast<const char16_t*>(::GetCommandLineW()));
  std::vector<std::u16string> arguments;
  if (words.size() > 1) arguments.assign(words.begin() + 1, words.end());
  return app::prexleMain(arguments);
}
