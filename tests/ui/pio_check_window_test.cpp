#include "ui/pio_check_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Colour;

TEST(PioCheckWindow, NoErrorsInPioCheckMode) {
  platform::TextWindow window = ui::pioCheckWindow(u"1.2.3", ui::PioCheckTitle::shown, 0, {}, 1920, 1080);
  EXPECT_EQ(window.purpose, platform::WindowPurpose::pioCheck);
  EXPECT_EQ(window.title, u"PIO Check Output - (V1.2.3)    *** Select And CTRL+C To copy To clipboard ***");
  EXPECT_EQ(window.width, 1024);
  EXPECT_EQ(window.height, 960);
  ASSERT_TRUE(window.font.has_value());
  EXPECT_EQ(window.font->name, u"Courier New");
  EXPECT_EQ(window.font->points, 11);
  ASSERT_EQ(window.gadgets.size(), 2u);
  const platform::TextGadget& banner = window.gadgets[0];
  EXPECT_EQ(banner.lines, std::vector<std::u16string>{std::u16string(34, u' ') + u"!!!!!!!  No errors !!!!!!"});
  EXPECT_EQ(banner.background, (Colour{0, 255, 0}));
  EXPECT_EQ(banner.textColour, (Colour{0, 0, 0}));
  EXPECT_TRUE(window.gadgets[1].lines.empty());
}

TEST(PioCheckWindow, ErrorsInAnotherMode) {
  std::vector<std::u16string> report = {u"set foo 1", u"       ^^^ marker"};
  platform::TextWindow window = ui::pioCheckWindow(u"1.2.3", ui::PioCheckTitle::none, 2, report, 800, 600);
  EXPECT_EQ(window.title, u"");
  EXPECT_EQ(window.width, 800);
  EXPECT_EQ(window.height, 480);
  const platform::TextGadget& banner = window.gadgets[0];
  EXPECT_EQ(banner.lines, std::vector<std::u16string>{std::u16string(22, u' ') +
                                                      u"!!!!!!!  2 error(s) to be resolved  !!!!!!"});
  EXPECT_EQ(banner.background, (Colour{227, 127, 127}));
  EXPECT_EQ(banner.x, 3);
  EXPECT_EQ(banner.y, 3);
  EXPECT_EQ(banner.width, 792);
  EXPECT_EQ(banner.height, 22);
  EXPECT_EQ(banner.kind, platform::GadgetKind::richText);
  EXPECT_TRUE(banner.wordWrap);
  const platform::TextGadget& view = window.gadgets[1];
  EXPECT_EQ(view.lines, report);
  EXPECT_EQ(view.x, 3);
  EXPECT_EQ(view.y, 25);
  EXPECT_EQ(view.width, 792);
  EXPECT_EQ(view.height, 450);
  EXPECT_EQ(view.kind, platform::GadgetKind::richText);
  EXPECT_FALSE(view.wordWrap);
  EXPECT_EQ(view.background, (Colour{255, 255, 207}));
  EXPECT_EQ(view.textColour, (Colour{0, 0, 0}));
}

}  // namespace
