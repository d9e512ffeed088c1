#include "ui/fatal_error_window.h"

#include <string>

#include "text/lines.h"

namespace ui {

using platform::Colour;
using platform::Font;
using platform::TextGadget;
using platform::TextWindow;
using platform::WindowPurpose;
namespace {

// The message's own lines: CR LF separates them; a final CR LF ends the last
// line rather than starting an empty one.
std::vector<std::u16string> messageLines(std::u16string_view message) {
  std::vector<std::u16string> lines;
  const size_t done = text::forEachCrLfLine(message, [&lines](std::u16string_view line) {
    lines.emplace_back(line.substr(0, line.size() - 2));
  });
  if (done < message.size()) lines.emplace_back(message.substr(done));
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
