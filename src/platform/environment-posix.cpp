#include "platform/environment.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "text/utf8.h"

namespace platform {

std::u16string currentFolder() {
  std::string buffer(4096, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(buffer.find('\0'));
  return text::decodeUtf8(buffer);
}

std::u16string userProfileFolder() {
  const char* home = std::getenv("HOME");
  return home ? text::decodeUtf8(home) : std::u16string();
}

std::u16string xdgDataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return text::decodeUtf8(data);
  const std::u16string home = userProfileFolder();
  return home.empty() ? home : home + u"/.local/share";
}

}  // namespace platform
