#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_window.h"

namespace ui {

/// Whether the check window has a title: a PIOCHECK run asked for the
/// window, any other run shows it untitled because of its errors.
enum class PioCheckTitle { shown, none };

/// The PIO check window as data: a banner that counts the errors above a
/// read-only view of the report lines, sized from the desktop (width at most
/// 1024, height the desktop less 120).
platform::TextWindow pioCheckWindow(std::u16string_view versionText, PioCheckTitle title, int errorCount,
                                    const std::vector<std::u16string>& reportLines, int desktopWidth,
                                    int desktopHeight);

}  // namespace ui
