#include "support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

TempFolder::TempFolder() {
  std::random_device seed;
  for (;;) {
    path_ = std::filesystem::temp_directory_path() / ("prexle-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
  writeFile(path_ / name, bytes);
}

std::string TempFolder::read(const std::string& name) const { return readFile(path_ / name); }

bool TempFolder::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace testing_support
