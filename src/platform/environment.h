#pragma once

#include <string>

namespace platform {

/// The current folder, as the OS gives it (no separator appended).
std::u16string currentFolder();

bool setCurrentFolder(const std::u16string& path);

/// The user's profile folder (no separator appended).
std::u16string userProfileFolder();

/// Makes a folder the current one for the guard's lifetime; the folder that
/// was current before is current again afterwards, however the scope is left.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::u16string& path)
      : previous_(currentFolder()), entered_(setCurrentFolder(path)) {}
  ~WorkingFolder() {
    if (entered_) setCurrentFolder(previous_);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  /// Whether the folder could be made current.
  bool entered() const { return entered_; }

 private:
  std::u16string previous_;
  bool entered_;
};

}  // namespace platform
