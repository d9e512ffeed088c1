#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_window.h"

namespace ui {

/// The window that shows the run log at the end of a run that met #DEBUG:
/// the version, the log's path and every line of the log.
platform::TextWindow runLogWindow(std::u16string_view versionText, std::u16string_view runLogPath,
                        const std::vector<std::u16string>& logLines);

}  // namespace ui
