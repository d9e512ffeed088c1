#include "platform/group_record.h"

#include <optional>
#include <set>

#include "platform/files.h"
#include "platform/temporaries.h"
#include "text/utf8.h"

namespace platform {
namespace {

// Fields end with a NUL, which no path holds; the last field marks a record
// that was written whole.
constexpr std::string_view kWholeMark = "whole";

std::string recordBytes(const std::vector<GroupEntry>& entries) {
  std::string bytes;
  for (const auto& entry : entries) {
    for (const auto* field : {&entry.path, &entry.written, &entry.previous}) {
      bytes += text::encodeUtf8(*field);
      bytes += '\0';
    }
  }
  bytes += kWholeMark;
  bytes += '\0';
  return bytes;
}

std::optional<std::vector<GroupEntry>> readRecord(const std::u16string& path) {
  const auto bytes = readFileBytes(path);
  if (!bytes || bytes->empty() || bytes->back() != '\0') return std::nullopt;
  std::vector<std::u16string> fields;
  for (size_t start = 0; start < bytes->size();) {
    const size_t end = bytes->find('\0', start);
    fields.push_back(text::decodeUtf8(std::string_view(*bytes).substr(start, end - start)));
    start = end + 1;
  }
  if (fields.size() % 3 != 1 || fields.back() != text::u16(kWholeMark)) return std::nullopt;
  std::vector<GroupEntry> entries;
  for (size_t i = 0; i + 1 < fields.size(); i += 3) {
    entries.push_back({fields[i], fields[i + 1], fields[i + 2]});
  }
  return entries;
}

}  // namespace

const GroupEntry* GroupRecord::write(const std::vector<GroupEntry>& entries) {
  const std::string bytes = recordBytes(entries);
  std::set<std::u16string> written;
  for (const auto& entry : entries) {
    const std::u16string folder = folderPart(entry.path);
    if (!written.insert(folder).second) continue;
    bool nameTaken = false;
    const std::u16string path = temporaryPathBeside(folder, TemporaryKind::groupRecord);
    auto file = AppendFile::createNew(path, nameTaken);
    if (file) paths_.push_back(path);
    // Not flushed to the disk: the record guards against a kill, which leaves
    // what was written in the system's hands.
    const bool whole = file && file->append(bytes) && file->close();
    file.reset();
    if (!whole) {
      remove();
      return &entry;
    }
  }
  return nullptr;
}

void GroupRecord::remove() {
  for (const auto& path : paths_) removeFile(path);
  paths_.clear();
}

// The renames run in the order of the entries, so the first file whose written
// temporary is still there is where the dead run stopped. A group stopped
// half way goes back to what it was, as a failed rename would have left it.
void finishRecordedGroup(const std::u16string& recordPath) {
  const auto entries = readRecord(recordPath);
  if (!entries) return;
  size_t renamed = 0;
  while (renamed < entries->size() && !pathExists((*entries)[renamed].written)) ++renamed;
  if (renamed < entries->size()) {
    for (size_t i = 0; i < renamed; ++i) {
      const GroupEntry& entry = (*entries)[i];
      if (entry.previous.empty()) {
        removeFile(entry.path);
      } else if (pathExists(entry.previous)) {
        renameFile(entry.previous, entry.path);
      }
    }
  }
  for (const auto& entry : *entries) {
    if (pathExists(entry.written)) removeFile(entry.written);
    if (!entry.previous.empty() && pathExists(entry.previous)) removeFile(entry.previous);
  }
}

}  // namespace platform
