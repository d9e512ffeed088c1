#include "platform/window_geometry.h"

#include <gtest/gtest.h>

#include "platform/text_window.h"

namespace {

using platform::PixelRect;
using platform::PixelSize;

platform::TextWindow windowOf(int width, int height, std::vector<PixelRect> boxes) {
  platform::TextWindow window;
  window.width = width;
  window.height = height;
  for (const auto& box : boxes) {
    platform::TextGadget gadget;
    gadget.x = box.x;
    gadget.y = box.y;
    gadget.width = box.width;
    gadget.height = box.height;
    window.gadgets.push_back(gadget);
  }
  return window;
}

TEST(WindowGeometry, BoxesFollowTheEdgesTheyReachWithEvenMargins) {
  const auto runLog = windowOf(1000, 768, {{3, 10, 980, 760}});
  const auto pioCheck = windowOf(1024, 904, {{3, 3, 1016, 22}, {3, 25, 1016, 874}});
  const auto small = windowOf(620, 720, {{10, 10, 300, 100}});
  struct Case {
    const platform::TextWindow* window;
    PixelSize client;
    int dpi;
    std::vector<PixelRect> boxes;
  } cases[] = {
      {&runLog, {1000, 768}, 96, {{3, 10, 994, 748}}},
      {&runLog, {1000, 600}, 96, {{3, 10, 994, 580}}},
      {&runLog, {1500, 1000}, 144, {{5, 15, 1490, 970}}},
      {&pioCheck, {1024, 648}, 96, {{3, 3, 1018, 22}, {3, 25, 1018, 620}}},
      {&pioCheck, {1536, 972}, 144, {{5, 5, 1526, 33}, {5, 38, 1526, 929}}},
      {&small, {620, 400}, 120, {{13, 13, 375, 125}}},
      {&runLog, {2, 2}, 96, {{3, 10, 0, 0}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::boxPlaces(*c.window, c.client, c.dpi), c.boxes) << c.client.width << " at " << c.dpi;
  }
}

TEST(WindowGeometry, ScaledFramesFitTheWorkAreaCentred) {
  struct Case {
    PixelSize client;
    PixelSize frame;
    PixelRect workArea;
    PixelRect placed;
  } cases[] = {
      {{620, 720}, {16, 39}, {0, 0, 1920, 1040}, {642, 140, 636, 759}},
      {{1000, 768}, {16, 39}, {0, 0, 1366, 728}, {175, 0, 1016, 728}},
      {{2000, 900}, {16, 39}, {-1366, 40, 1366, 728}, {-1366, 40, 1366, 728}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::frameInWorkArea(c.client, c.frame, c.workArea), c.placed) << c.client.width;
  }
  EXPECT_EQ(platform::scaleToDpi(10, 144), 15);
  EXPECT_EQ(platform::scaleToDpi(11, 120), 14);
  EXPECT_EQ(platform::layoutPixels(1920, 144), 1280);
}

}  // namespace
