#include "platform/pending_file.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/path_kind.h"
#include "platform/temporaries.h"
#include "text/utf8.h"

namespace platform {
namespace {

// Enough tries that only a folder that cannot be written makes them all fail.
constexpr int kNameTries = 64;

}  // namespace

void PendingFile::Temporary::forget() {
  path.clear();
  guard.reset();
}

void PendingFile::Temporary::remove() {
  if (!path.empty()) removeFile(path);
  forget();
}

PendingFile::PendingFile(std::u16string path) : path_(std::move(path)) {}

PendingFile::~PendingFile() {
  written_.remove();
  previous_.remove();
}

// A fresh name, created exclusively: a file or link planted at a guessable
// name can neither be overwritten nor followed. It is known to the
// interruption handler before it exists.
bool PendingFile::writeWith(const std::function<bool(AppendFile&)>& content) {
  written_.remove();
  stream_ = isStream(path_);
  if (stream_) {
    // A device takes the bytes as they come; it cannot be flushed to a disk.
    auto file = AppendFile::create(path_);
    if (!file) return false;
    const bool written = content(*file);
    return file->close() && written;
  }
  removeStaleTemporariesBeside(path_);
  for (int i = 0; i < kNameTries; ++i) {
    Temporary candidate{temporaryPathBeside(path_), nullptr};
    candidate.guard = std::make_unique<RemovedOnInterruption>(candidate.path);
    bool nameTaken = false;
    auto file = AppendFile::createNew(candidate.path, nameTaken);
    if (!file && nameTaken) continue;
    if (!file) return false;
    // Flushed before it can take the real name: a rename that reaches the
    // disk before the data would leave an empty file after a crash.
    const bool written = content(*file) && file->sync();
    if (file->close() && written) {
      written_ = std::move(candidate);
      return true;
    }
    candidate.remove();
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

bool PendingFile::replace() {
  if (stream_) return true;
  if (written_.path.empty() || !renameFile(written_.path, path_)) return false;
  written_.forget();
  return true;
}

bool PendingFile::commit() {
  if (!replace()) return false;
  if (stream_) return true;
  // The file is in place either way; only its surviving a crash is in doubt.
  syncFolder(folderPart(path_));
  return true;
}

bool PendingFile::keepPrevious() {
  if (stream_) return true;
  Temporary kept{temporaryPathBeside(path_), nullptr};
  kept.guard = std::make_unique<RemovedOnInterruption>(kept.path);
  switch (addSecondName(path_, kept.path)) {
    case SecondName::made: previous_ = std::move(kept); return true;
    case SecondName::noFile: return true;
    case SecondName::failed: return false;
  }
  return false;
}

void PendingFile::putPreviousBack() {
  if (stream_) return;
  if (previous_.path.empty()) {
    removeFile(path_);
  } else if (renameFile(previous_.path, path_)) {
    previous_.forget();
  }
}

}  // namespace platform
