#pragma once

#include <string>
#include <string_view>

namespace app {

/// The code-base folder stored under the key "Code Store" of the settings
/// file; empty when the file or the key is missing.
std::u16string readCodeStore(const std::u16string& settingsPath);

/// Stores the code-base folder when the settings file exists: the "Code
/// Store" line is replaced where it stands (appended when missing), every
/// other line is kept, lines end with CR LF. A missing file is not created.
void writeCodeStore(const std::u16string& settingsPath, std::u16string_view codeBase);

}  // namespace app
