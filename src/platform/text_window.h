#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A window is plain data: the platform layer renders it (a real window on
// Windows, text on the console elsewhere) and serves it until it is closed.

struct Colour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Colour&) const = default;
};

struct Font {
  std::u16string name;
  int points = 10;
};

enum class GadgetKind { plainText, richText };

/// A read-only multi-line text box and the lines it shows.
struct TextGadget {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  GadgetKind kind = GadgetKind::plainText;
  bool wordWrap = true;
  std::optional<Colour> background;
  std::optional<Colour> textColour;
  std::vector<std::u16string> lines;
};

/// What the window is for; the console rendering sends error reports to
/// stderr and everything else to stdout.
enum class WindowPurpose { fatalError, runLog, pioCheck };

/// A top-level window, centred on the screen, with a close box and a fixed
/// inner size.
struct TextWindow {
  WindowPurpose purpose = WindowPurpose::runLog;
  std::u16string title;
  int width = 0;
  int height = 0;
  std::optional<Font> font;
  std::vector<TextGadget> gadgets;
};

}  // namespace platform
