#pragma once

#include <string>

namespace platform {

/// The current folder, as the OS gives it (no separator appended).
std::u16string currentFolder();

/// The user's profile folder (no separator appended).
std::u16string userProfileFolder();

}  // namespace platform
