#pragma once

#include <string>

namespace platform {

struct TextWindow;

/// A window as console text: the title on a line of its own, then every line
/// of its text boxes in order, each ended by LF.
std::u16string consoleText(const TextWindow& window);

}  // namespace platform
