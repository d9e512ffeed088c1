#pragma once

#include <vector>

namespace platform {

struct TextWindow;

/// A size in pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

/// A rectangle in pixels: its top-left corner and its size.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

/// Windows are laid out in pixels of a screen of this many dots per inch.
inline constexpr int kLayoutDpi = 96;

/// A length laid out in pixels at kLayoutDpi, in pixels of a screen of
/// `dpi`, rounded to the nearest.
int scaleToDpi(int length, int dpi);

/// The other way: pixels of a screen of `dpi` as layout pixels, rounded.
int layoutPixels(int screenPixels, int dpi);

/// The client size the window is laid out for, on a screen of `dpi`.
PixelSize scaledClientSize(const TextWindow& window, int dpi);

/// The outer frame of a window with a client area of `client` and a frame
/// that adds `frame` to it, made no larger than the work area and centred in it.
PixelRect frameInWorkArea(PixelSize client, PixelSize frame, const PixelRect& workArea);

/// Where the window's boxes stand, one per gadget in order, in a client area
/// of `client` on a screen of `dpi`. A box that nearly reaches the laid-out
/// window's right or bottom edge (or runs past it) follows that edge, keeping
/// the window's left or top margin there: it grows and shrinks with the window.
std::vector<PixelRect> boxPlaces(const TextWindow& window, PixelSize client, int dpi);

/// The smallest client area the user may shrink a window to, on a screen of `dpi`.
PixelSize minimumClientSize(int dpi);

}  // namespace platform
