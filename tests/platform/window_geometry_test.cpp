#include "platform/window_geometry.h"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text_window.h"

namespace {

using platform::PixelRect;

// The Wine suite checks the three windows at 96 and 144 dpi; these are the
// edges it cannot reach: other DPIs, a client shrunk to nothing, a screen left
// of the primary one.
TEST(WindowGeometry, BoxesFollowTheEdgesTheyReachAndFramesFitTheWorkArea) {
  platform::TextWindow window;
  window.width = 620;
  window.height = 720;
  for (const PixelRect box : {PixelRect{10, 10, 300, 22}, PixelRect{10, 32, 590, 688}}) {
    window.gadgets.emplace_back();
    auto& gadget = window.gadgets.back();
    std::tie(gadget.x, gadget.y, gadget.width, gadget.height) = std::tie(box.x, box.y, box.width, box.height);
  }
  EXPECT_EQ(platform::boxPlaces(window, {620, 500}, 120),
            (std::vector<PixelRect>{{13, 13, 375, 28}, {13, 40, 594, 447}}));
  EXPECT_EQ(platform::boxPlaces(window, {20, 30}, 96), (std::vector<PixelRect>{{10, 10, 300, 22}, {10, 32, 0, 0}}));
  EXPECT_EQ(platform::frameInWorkArea({620, 720}, {16, 39}, {0, 0, 1920, 1040}), (PixelRect{642, 140, 636, 759}));
  EXPECT_EQ(platform::frameInWorkArea({2000, 900}, {16, 39}, {-1366, 40, 1366, 728}),
            (PixelRect{-1366, 40, 1366, 728}));
  EXPECT_EQ(platform::layoutPixels(1920, 144), 1280);
}

}  // namespace
