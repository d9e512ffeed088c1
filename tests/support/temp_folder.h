#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

/// A fresh folder under the system's temporary folder, removed with its
/// content when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  /// Writes bytes to a file below the folder, creating folders on the way.
  void write(const std::string& name, const std::string& bytes) const;
  /// The bytes of a file below the folder; "<missing>" when there is none.
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

/// Reads a whole file; "<missing>" when there is none.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
