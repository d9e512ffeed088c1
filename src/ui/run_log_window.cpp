#include "ui/run_log_window.h"

namespace ui {

using platform::Font;
using platform::TextGadget;
using platform::TextWindow;
using platform::WindowPurpose;

TextWindow runLogWindow(std::u16string_view versionText, std::u16string_view runLogPath,
                        const std::vector<std::u16string>& logLines) {
  TextGadget box;
  box.x = 3;
  box.y = 10;
  box.width = 980;
  box.height = 760;
  box.lines.push_back(u"Prexle version " + std::u16string(versionText));
  box.lines.push_back(std::u16string(runLogPath) + u" Opened");
  box.lines.insert(box.lines.end(), logLines.begin(), logLines.end());
  return TextWindow{.purpose = WindowPurpose::runLog,
                    .title = u"Prexle Debug Log",
                    .width = 1000,
                    .height = 768,
                    .font = Font{u"Courier New", 10},
                    .gadgets = {std::move(box)}};
}

}  // namespace ui
