#include "platform/pending_file.h"

#include "platform/files.h"

namespace platform {

PendingFile::PendingFile(std::u16string path)
    : path_(std::move(path)), temporaryPath_(path_ + u".prexle-tmp") {}

PendingFile::~PendingFile() {
  if (temporaryExists_) removeFile(temporaryPath_);
}

bool PendingFile::commit(std::string_view bytes) {
  temporaryExists_ = true;
  if (!writeFileBytes(temporaryPath_, bytes)) return false;
  if (!renameFile(temporaryPath_, path_)) return false;
  temporaryExists_ = false;
  return true;
}

}  // namespace platform
