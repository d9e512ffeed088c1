#include <string>
#include <vector>

#include "app/main.h"
#include "text/utf8.h"

int main(int argc, char** argv) {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(text::decodeUtf8(argv[i]));
  return app::prexleMain(arguments);
}
