#include "platform/pending_group.h"

#include <set>

#include "platform/files.h"
#include "platform/group_record.h"
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
// The record lets the next run do the same after a kill between them.
const PendingFile* PendingGroup::commit() {
  InterruptionsHeld held;
  std::vector<GroupEntry> entries;
  std::vector<const PendingFile*> recorded;
  for (size_t i = 0; i < files_.size(); ++i) {
    if (i + 1 < files_.size() && !files_[i]->keepPrevious()) return files_[i].get();
    // A device was written already and has nothing to roll back.
    if (files_[i]->stream()) continue;
    entries.push_back({files_[i]->path(), files_[i]->written_.path, files_[i]->previous_.path});
    recorded.push_back(files_[i].get());
  }
  GroupRecord record;
  if (entries.size() > 1) {
    if (const GroupEntry* failed = record.write(entries)) return recorded[failed - entries.data()];
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
