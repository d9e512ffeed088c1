#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class AppendFile;
}

namespace pre {

/// The line map "lineno.txt": for every line the output receives, the number
/// of the source line it came from, as 4-byte little-endian integers. Written
/// through at once. A map that was never opened records nothing.
class LineMap {
 public:
  LineMap();
  ~LineMap();

  /// Creates the file empty; false when it cannot be created.
  bool open(std::u16string path);
  bool isOpen() const { return file_ != nullptr; }

  void record(int32_t sourceLineNumber);

  /// Empties the map; done whenever the output is emptied, so the map stays
  /// aligned with the result.
  void clear();

 private:
  std::u16string path_;
  std::unique_ptr<platform::AppendFile> file_;
};

}  // namespace pre
