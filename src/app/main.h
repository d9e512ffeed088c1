#pragma once

#include <string>
#include <vector>

namespace platform {
class Host;
}

namespace app {

/// One whole run for the given command-line parameters (program name not
/// included); the process exit status. Exactly three parameters, none
/// beginning with "-", are the editor's: 0 on success, 1 after a fatal
/// error. Anything else is the shell form (see runShellForm).
int prexleMain(const std::vector<std::u16string>& arguments);

/// The same run on a desktop of the caller's (a test double, say); the
/// process itself is left as it is.
int runOnDesktop(const std::vector<std::u16string>& arguments, platform::Host& host);

}  // namespace app
