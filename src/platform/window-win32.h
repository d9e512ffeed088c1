#pragma once

#include "platform/host.h"

namespace platform {

struct TextWindow;

/// Shows the window on the screen the user works on, sized for that screen's
/// DPI, and serves it until it is closed (close box, Esc or Enter); false when
/// no window could be made. Implemented by the Win32 layer only.
bool showNativeTextWindow(const TextWindow& window);

/// The screen the windows open on, in layout pixels (96 to the inch).
DesktopSize nativeDesktopSize();

}  // namespace platform
