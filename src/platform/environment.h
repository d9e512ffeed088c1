#pragma once

#include <string>

namespace platform {

/// The current folder, as the OS gives it (no separator appended).
std::u16string currentFolder();

/// The user's profile folder (no separator appended).
std::u16string userProfileFolder();

/// The folder the free desktops keep per-user program data in:
/// $XDG_DATA_HOME, or ~/.local/share when that is unset or not a full path
/// (no separator appended). Empty where the platform has no such folder
/// (Windows), or no home folder is known.
std::u16string xdgDataHome();

}  // namespace platform
