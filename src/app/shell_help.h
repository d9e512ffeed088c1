#pragma once

#include <string>

namespace app {

/// What "--help" prints: the synopsis, every option, where diagnostics go
/// and the exit statuses. The manual page says the same.
std::u16string shellHelp();

/// What "--version" prints: the name and the version the windows show.
std::u16string shellVersion();

/// The line after a usage error that points to the help.
std::u16string helpHint();

}  // namespace app
