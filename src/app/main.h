#pragma once

#include <string>
#include <vector>

namespace app {

/// One whole run for the given command-line parameters (program name not
/// included); the process exit code: 0 on success, 1 after a fatal error.
int prexleMain(const std::vector<std::u16string>& arguments);

}  // namespace app
