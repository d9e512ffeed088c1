#include "ui/fatal_error_window.h"

#include <string>

namespace ui {
namespace {

// The message's own lines: CR LF separates them; a final CR LF ends the last
// line rather than starting an empty one.
std::vector<std::u16string> messageLines(std::u16string_view message) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < message.size()) {
    size_t end = message.find(u"\r\n", start);
    if (end == std::u16string_view::npos) end = message.size();
    lines.emplace_back(message.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

TextWindow fatalErrorWindow(std::u16string_view versionText, std::u16string_view message) {
  const std::u16string rule(52, u'-');
  TextGadget box;
  box.x = 10;
  box.y = 10;
  box.width = 600;
  box.height = 700;
  box.background = Colour{255, 255, 0};
  box.lines.push_back(u"Prexle version " + std::u16string(versionText));
  box.lines.push_back(u"---------------Fatal Error ------------------------");
  box.lines.push_back(u"");
  for (auto& line : messageLines(message)) box.lines.push_back(std::move(line));
  box.lines.push_back(u"");
  box.lines.push_back(rule);
  box.lines.push_back(u"Close this window and resolve the error to continue.");
  box.lines.push_back(rule);
  return TextWindow{.purpose = WindowPurpose::fatalError,
                    .title = u"Prexle Fatal Error !!! ",
                    .width = 620,
                    .height = 720,
                    .font = Font{u"Courier New", 10},
                    .gadgets = {std::move(box)}};
}

}  // namespace ui
