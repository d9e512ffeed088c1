#pragma once

#include <string>
#include <vector>

namespace platform {
class Host;
}

namespace app {

/// One whole run for the given command-line parameters (program name not
/// included); the process exit code: 0 on success, 1 after a fatal error.
int prexleMain(const std::vector<std::u16string>& arguments);

/// The same run on a desktop of the caller's (a test double, say); the
/// process itself is left as it is.
int runOnDesktop(const std::vector<std::u16string>& arguments, platform::Host& host);

}  // namespace app
