#include "platform/pending_file.h"

#include <algorithm>
#include <random>

#include "platform/files.h"
#include "text/utf8.h"

namespace platform {
namespace {

// Enough tries that only a folder that cannot be written makes them all fail.
constexpr int kNameTries = 64;

std::u16string randomSuffix(std::mt19937& random) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string suffix = u".prexle-";
  for (int i = 0; i < 12; ++i) suffix += kDigits[random() & 0xF];
  return suffix + u".tmp";
}

}  // namespace

PendingFile::PendingFile(std::u16string path) : path_(std::move(path)) {}

PendingFile::~PendingFile() {
  if (!temporaryPath_.empty()) removeFile(temporaryPath_);
}

// A fresh name, created exclusively: a file or link planted at a guessable
// name can neither be overwritten nor followed.
bool PendingFile::writeWith(const std::function<bool(AppendFile&)>& content) {
  if (!temporaryPath_.empty()) removeFile(temporaryPath_);
  temporaryPath_.clear();
  std::mt19937 random{std::random_device{}()};
  for (int i = 0; i < kNameTries; ++i) {
    std::u16string candidate = path_ + randomSuffix(random);
    bool nameTaken = false;
    auto file = AppendFile::createNew(candidate, nameTaken);
    if (!file && nameTaken) continue;
    if (!file) return false;
    const bool written = content(*file);
    if (file->close() && written) {
      temporaryPath_ = std::move(candidate);
      return true;
    }
    removeFile(candidate);
    return false;
  }
  return false;
}

bool PendingFile::write(std::string_view bytes) {
  return writeWith([bytes](AppendFile& file) { return file.append(bytes); });
}

bool PendingFile::writeText(std::u16string_view text) {
  return writeWith([text](AppendFile& file) {
    constexpr size_t kPiece = 1 << 16;
    for (size_t start = 0; start < text.size();) {
      size_t end = std::min(text.size(), start + kPiece);
      // A surrogate pair stays in one piece.
      if (end < text.size() && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) ++end;
      if (!file.append(text::encodeUtf8(text.substr(start, end - start)))) return false;
      start = end;
    }
    return true;
  });
}

bool PendingFile::commit() {
  if (temporaryPath_.empty() || !renameFile(temporaryPath_, path_)) return false;
  temporaryPath_.clear();
  return true;
}

}  // namespace platform
