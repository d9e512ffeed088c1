#include "preprocessor/line_map.h"

namespace pre {

std::string LineMap::bytes() const {
  std::string out;
  out.reserve(entries_.size() * 4);
  for (int32_t entry : entries_) {
    const auto value = static_cast<uint32_t>(entry);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
  }
  return out;
}

}  // namespace pre
