#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pre {

/// The line map "lineno.txt": for every line the output receives, the number
/// of the source line it came from. Kept in memory and written whole with the
/// result, so a failed run leaves the previous map beside the previous result.
class LineMap {
 public:
  void record(int32_t sourceLineNumber) { entries_.push_back(sourceLineNumber); }
  /// Done whenever the output is emptied, so the map stays aligned with it.
  void clear() { entries_.clear(); }

  /// The file's content: one 4-byte little-endian integer per entry.
  std::string bytes() const;

 private:
  std::vector<int32_t> entries_;
};

/// The result text being built and its line map.
struct Output {
  /// Every line ends with CR LF.
  std::u16string text;
  LineMap lineMap;
};

}  // namespace pre
