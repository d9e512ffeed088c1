#include "platform/pending_file.h"

#include <random>

#include "platform/files.h"

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
bool PendingFile::write(std::string_view bytes) {
  if (!temporaryPath_.empty()) removeFile(temporaryPath_);
  temporaryPath_.clear();
  std::mt19937 random{std::random_device{}()};
  for (int i = 0; i < kNameTries; ++i) {
    std::u16string candidate = path_ + randomSuffix(random);
    switch (createNewFile(candidate, bytes)) {
      case NewFile::created: temporaryPath_ = std::move(candidate); return true;
      case NewFile::nameTaken: continue;
      case NewFile::failed: return false;
    }
  }
  return false;
}

bool PendingFile::commit() {
  if (temporaryPath_.empty() || !renameFile(temporaryPath_, path_)) return false;
  temporaryPath_.clear();
  return true;
}

}  // namespace platform
