#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/pending_file.h"

namespace platform {

/// Files that change together, such as a program and the map of its lines:
/// when one of them cannot take its place, every one stays as it was. Each
/// is written as a pending file; until commit() nothing is replaced.
class PendingGroup {
 public:
  /// A new file of the group, to be written now and put in its place with
  /// the others at commit().
  PendingFile& add(std::u16string path);

  /// Puts every file in its place, in the order they were added: nullptr
  /// when all are; otherwise the file that could not be, with every file as
  /// it was before. An interruption waits until it is done.
  const PendingFile* commit();

 private:
  void syncFolders() const;

  std::vector<std::unique_ptr<PendingFile>> files_;
};

}  // namespace platform
