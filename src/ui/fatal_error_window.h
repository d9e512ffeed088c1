#pragma once

#include <string_view>

#include "platform/text_window.h"

namespace ui {

/// The window that reports an error that stopped the run: version, heading,
/// the message (its CR LF pairs make separate lines) and the closing advice,
/// on a yellow read-only text box.
platform::TextWindow fatalErrorWindow(std::u16string_view versionText, std::u16string_view message);

}  // namespace ui
