#include "platform/window_geometry.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/text_window.h"

namespace platform {
namespace {

// A box ending this close to an edge was meant to fill the window up to it.
constexpr int kEdgeReach = 20;
constexpr PixelSize kMinimumClient{240, 140};

int roundedRatio(int value, int numerator, int denominator) {
  if (denominator <= 0) return value;
  const long long scaled = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / denominator : (scaled - half) / denominator);
}

// The window's margins: those of its leftmost and topmost boxes.
PixelSize marginsOf(const TextWindow& window) {
  PixelSize margins{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
  for (const auto& gadget : window.gadgets) {
    margins.width = std::min(margins.width, std::max(0, gadget.x));
    margins.height = std::min(margins.height, std::max(0, gadget.y));
  }
  return window.gadgets.empty() ? PixelSize{} : margins;
}

// One axis of a box: its start and length in the client, following the far
// edge when the laid-out box reaches it.
std::pair<int, int> placeOnAxis(int start, int length, int windowLength, int margin, int clientLength, int dpi) {
  const int placedStart = scaleToDpi(start, dpi);
  if (start + length < windowLength - kEdgeReach) return {placedStart, scaleToDpi(length, dpi)};
  return {placedStart, std::max(0, clientLength - scaleToDpi(margin, dpi) - placedStart)};
}

}  // namespace

int scaleToDpi(int length, int dpi) { return roundedRatio(length, dpi, kLayoutDpi); }

int layoutPixels(int screenPixels, int dpi) { return roundedRatio(screenPixels, kLayoutDpi, dpi); }

PixelSize scaledClientSize(const TextWindow& window, int dpi) {
  return PixelSize{scaleToDpi(window.width, dpi), scaleToDpi(window.height, dpi)};
}

PixelRect frameInWorkArea(PixelSize client, PixelSize frame, const PixelRect& workArea) {
  PixelRect placed;
  placed.width = std::min(client.width + frame.width, workArea.width);
  placed.height = std::min(client.height + frame.height, workArea.height);
  placed.x = workArea.x + (workArea.width - placed.width) / 2;
  placed.y = workArea.y + (workArea.height - placed.height) / 2;
  return placed;
}

std::vector<PixelRect> boxPlaces(const TextWindow& window, PixelSize client, int dpi) {
  const PixelSize margins = marginsOf(window);
  std::vector<PixelRect> places;
  places.reserve(window.gadgets.size());
  for (const auto& gadget : window.gadgets) {
    auto [x, width] = placeOnAxis(gadget.x, gadget.width, window.width, margins.width, client.width, dpi);
    auto [y, height] = placeOnAxis(gadget.y, gadget.height, window.height, margins.height, client.height, dpi);
    places.push_back(PixelRect{x, y, width, height});
  }
  return places;
}

PixelSize minimumClientSize(int dpi) {
  return PixelSize{scaleToDpi(kMinimumClient.width, dpi), scaleToDpi(kMinimumClient.height, dpi)};
}

}  // namespace platform
