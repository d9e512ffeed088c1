#pragma once

#include <string>
#include <vector>

namespace platform {

// No rename covers two files at once, so a kill between the renames of a
// group would leave some files new and the others old. While the renames run,
// a record beside every file of the group names what each rename does; the
// next run that finds the record of a dead run finishes the group before it
// removes that run's temporary files.

/// One file of a group: where it goes, the written temporary file that takes
/// that place, and the second name of the file it replaces (empty when there
/// was none).
struct GroupEntry {
  std::u16string path;
  std::u16string written;
  std::u16string previous;
};

/// The records of one group while its renames run; removed when it goes.
class GroupRecord {
 public:
  GroupRecord() = default;
  ~GroupRecord() { remove(); }
  GroupRecord(const GroupRecord&) = delete;
  GroupRecord& operator=(const GroupRecord&) = delete;

  /// Writes the record into the folder of every entry: nullptr when it is
  /// written, otherwise (nothing left) the first entry of the folder where it
  /// could not be.
  const GroupEntry* write(const std::vector<GroupEntry>& entries);

  /// Removes the records: the group is finished either way.
  void remove();

 private:
  std::vector<std::u16string> paths_;
};

/// Finishes the group that a dead run's record at recordPath describes: the
/// files whose rename had not run yet take their places too, or, when one of
/// them cannot, the ones already renamed get their previous versions back.
/// The second names and written files it leaves behind are removed; the
/// record itself is the caller's to remove. A record written only in part
/// describes renames that never began, and changes nothing.
void finishRecordedGroup(const std::u16string& recordPath);

}  // namespace platform
