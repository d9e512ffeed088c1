#include "preprocessor/line_map.h"

#include "platform/files.h"

namespace pre {

LineMap::LineMap() = default;
LineMap::~LineMap() = default;

bool LineMap::open(std::u16string path) {
  path_ = std::move(path);
  file_ = platform::AppendFile::create(path_);
  return file_ != nullptr;
}

void LineMap::record(int32_t sourceLineNumber) {
  if (!file_) return;
  auto value = static_cast<uint32_t>(sourceLineNumber);
  const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                         static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
  file_->append(std::string_view(bytes, 4));
}

void LineMap::clear() {
  if (!file_) return;
  file_.reset();
  // Creating it again empties it; should that fail the map simply stops.
  file_ = platform::AppendFile::create(path_);
}

}  // namespace pre
