#include "platform/temporaries.h"

#include <random>
#include <set>

#include "platform/files.h"
#include "platform/group_record.h"
#include "platform/process.h"

namespace platform {
namespace {

constexpr std::u16string_view kPrefix = u".prexle-";
constexpr std::u16string_view kSuffix = u".tmp";
constexpr std::u16string_view kRecordSuffix = u".rec";
static_assert(kRecordSuffix.size() == kSuffix.size());
constexpr size_t kRandomDigits = 8;

bool isHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); }

bool isRecordName(std::u16string_view name) { return name.ends_with(kRecordSuffix); }

bool ownerIsGone(std::u16string_view name) {
  const auto owner = temporaryOwner(name);
  return owner && *owner != currentProcessId() && !processRunning(*owner);
}

}  // namespace

std::u16string folderPart(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash + 1));
}

std::u16string temporaryPathBeside(std::u16string_view path, TemporaryKind kind) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  static std::mt19937 random{std::random_device{}()};
  std::u16string name = folderPart(path) + std::u16string(kPrefix);
  for (char c : std::to_string(currentProcessId())) name += static_cast<char16_t>(c);
  name += u'-';
  for (size_t i = 0; i < kRandomDigits; ++i) name += kDigits[random() & 0xF];
  return name + std::u16string(kind == TemporaryKind::groupRecord ? kRecordSuffix : kSuffix);
}

std::optional<uint32_t> temporaryOwner(std::u16string_view name) {
  if (!name.starts_with(kPrefix) || !(name.ends_with(kSuffix) || isRecordName(name))) return std::nullopt;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  const size_t dash = name.find(u'-');
  if (dash == 0 || dash > 10 || name.size() != dash + 1 + kRandomDigits) return std::nullopt;
  uint64_t owner = 0;
  for (char16_t c : name.substr(0, dash)) {
    if (c < u'0' || c > u'9') return std::nullopt;
    owner = owner * 10 + (c - u'0');
  }
  for (char16_t c : name.substr(dash + 1)) {
    if (!isHexDigit(c)) return std::nullopt;
  }
  if (owner > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(owner);
}

void removeStaleTemporariesBeside(std::u16string_view path) {
  static std::set<std::u16string> swept;
  const std::u16string folder = folderPart(path);
  if (!swept.insert(folder).second) return;
  const auto names = folderEntries(folder);
  // A dead run's group first, while the files its record names are there.
  for (const auto& name : names) {
    if (!isRecordName(name) || !ownerIsGone(name)) continue;
    finishRecordedGroup(folder + name);
    removeFile(folder + name);
  }
  for (const auto& name : names) {
    if (ownerIsGone(name) && pathExists(folder + name)) removeFile(folder + name);
  }
}

}  // namespace platform
