#include "preprocessor/program_file.h"

#include <string_view>

#include "base/fatal_error.h"
#include "platform/files.h"
#include "text/utf8.h"

namespace pre {
namespace {

// Editors on Windows save "Unicode" text as UTF-16; its lines would
// otherwise reach the program with a zero byte between every two letters.
std::optional<std::string> utf8FromUtf16(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto first = static_cast<unsigned char>(bytes[0]);
  const auto second = static_cast<unsigned char>(bytes[1]);
  const bool bigEndian = first == 0xFE && second == 0xFF;
  if (!bigEndian && !(first == 0xFF && second == 0xFE)) return std::nullopt;
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    text += static_cast<char16_t>(high << 8 | low);
  }
  // A byte left over cannot be a character.
  if (bytes.size() % 2 != 0) text += u'\uFFFD';
  return text::encodeUtf8(text);
}

}  // namespace

std::optional<std::string> readProgramFile(const std::u16string& path) {
  platform::ReadFailure why = platform::ReadFailure::none;
  auto bytes = platform::readFileBytes(path, why);
  if (why == platform::ReadFailure::notAFile) {
    base::fail(u"Prexle reads programs only from plain files, and this is not one (a folder, device or pipe): " +
               path);
  }
  if (!bytes) return std::nullopt;
  if (auto converted = utf8FromUtf16(*bytes)) return converted;
  return bytes;
}

}  // namespace pre
