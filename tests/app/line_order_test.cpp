#include "app/line_order.h"

#include <gtest/gtest.h>

namespace {

// Which stage sees a line first decides what it becomes.
TEST(LineOrder, StagesMeetALineInTheirFixedOrder) {
  EXPECT_EQ(app::stageNames(),
            (std::vector<std::u16string_view>{
                u"end of the code", u"code-base folder", u"code module", u"source options", u"PIO directives",
                u"#REPLACE pair", u"block comment start", u"include file", u"array block", u"target line",
                u"conditional compilation", u"target options", u"library directive", u"block comment line",
                u"library filter", u"PIO block line", u"program line"}));
}

}  // namespace
