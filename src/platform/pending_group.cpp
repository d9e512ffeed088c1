#include "platform/pending_group.h"

#include <set>

#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/temporaries.h"

namespace platform {

PendingFile& PendingGroup::add(std::u16string path) {
  files_.push_back(std::make_unique<PendingFile>(std::move(path)));
  return *files_.back();
}

// Every file but the last keeps its previous version under a second name
// until the last is in place: the renames come one after another, with no
// write or flush between them, and a failed one puts the earlier ones back.
const PendingFile* PendingGroup::commit() {
  InterruptionsHeld held;
  for (size_t i = 0; i + 1 < files_.size(); ++i) {
    if (!files_[i]->keepPrevious()) return files_[i].get();
  }
  for (size_t i = 0; i < files_.size(); ++i) {
    if (files_[i]->replace()) continue;
    for (size_t j = i; j-- > 0;) files_[j]->putPreviousBack();
    syncFolders();
    return files_[i].get();
  }
  syncFolders();
  for (auto& file : files_) file->previous_.remove();
  return nullptr;
}

// The files are in place either way; only their surviving a crash is in doubt.
void PendingGroup::syncFolders() const {
  std::set<std::u16string> folders;
  for (const auto& file : files_) folders.insert(folderPart(file->path()));
  for (const auto& folder : folders) syncFolder(folder);
}

}  // namespace platform
