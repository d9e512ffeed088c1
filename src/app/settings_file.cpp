#include "app/settings_file.h"

#include <optional>
#include <vector>

#include "platform/files.h"
#include "platform/pending_file.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace app {
namespace {

constexpr std::u16string_view kKey = u"Code Store";

std::u16string_view trimBlanksAndTabs(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

// The value of a "key = value" line when its key is "Code Store".
std::optional<std::u16string_view> codeStoreValue(std::u16string_view line) {
  size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return std::nullopt;
  if (!text::equalsNoCase(trimBlanksAndTabs(line.substr(0, equals)), kKey)) return std::nullopt;
  return trimBlanksAndTabs(line.substr(equals + 1));
}

}  // namespace

std::u16string readCodeStore(const std::u16string& settingsPath) {
  auto bytes = platform::readFileBytes(settingsPath);
  if (!bytes) return {};
  for (const auto& line : text::splitLines(text::decodeUtf8(*bytes))) {
    if (auto value = codeStoreValue(line)) return std::u16string(*value);
  }
  return {};
}

void writeCodeStore(const std::u16string& settingsPath, std::u16string_view codeBase) {
  auto bytes = platform::readFileBytes(settingsPath);
  if (!bytes) return;
  const std::u16string setting = std::u16string(kKey) + u" = " + std::u16string(codeBase);
  std::vector<std::u16string> lines = text::splitLines(text::decodeUtf8(*bytes));
  bool replaced = false;
  for (auto& line : lines) {
    if (!replaced && codeStoreValue(line)) {
      line = setting;
      replaced = true;
    }
  }
  if (!replaced) lines.push_back(setting);
  std::u16string out;
  for (const auto& line : lines) out += line + u"\r\n";
  // A settings file that cannot be written keeps its old value, silently.
  platform::PendingFile(settingsPath).commit(text::encodeUtf8(out));
}

}  // namespace app
