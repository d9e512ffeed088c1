#include "preprocessor/target_options.h"

#include <gtest/gtest.h>

#include "preprocessor/line_state.h"

namespace {

TEST(TargetOptions, TargetLinesSetTheirFlags) {
  pre::LineState state;
  pre::TargetOptions target;
  state.lineBuffer = u"   ' program for 'TARGET WinBasic\\ autorun";
  EXPECT_TRUE(pre::handleTargetLine(state, 4, target));
  EXPECT_EQ(state.lineBuffer, u"' program for 'TARGET WinBasic\\ autorun\r\n");
  EXPECT_EQ(target.targetLine, state.lineBuffer);
  EXPECT_EQ(target.targetLineNumber, 4);
  EXPECT_TRUE(target.winBasicTarget && target.autoRunTarget && state.lineMapRepeat);

  pre::LineState disabled;
  pre::TargetOptions untouched;
  disabled.lineBuffer = u"''target winbasic\\ autorun";
  EXPECT_FALSE(pre::handleTargetLine(disabled, 4, untouched));
  EXPECT_FALSE(untouched.winBasicTarget || untouched.autoRunTarget);
}

TEST(TargetOptions, Directives) {
  struct Case {
    std::u16string line;
    std::u16string after;
  } cases[] = {
      {u"#ESP_KEEPCOMMENTS", u";#ESP_KEEPCOMMENTS\r\n"},
      {u"#PI_CLIPBOARD", u"'#PI_CLIPBOARD"},
      {u"  #pi_autorun", u"'  #pi_autorun"},
      {u"#PI_AUTOSAVE \"GAME.BAS\"", u"'#PI_AUTOSAVE \"GAME.BAS\""},
  };
  pre::TargetOptions state;
  std::u16string line;
  for (const auto& c : cases) {
    line = c.line;
    EXPECT_FALSE(pre::handleTargetOptions(line, state));
    EXPECT_EQ(line, c.after);
  }
  EXPECT_TRUE(state.clipboardMode && state.piAutoRun && state.piAutoSave);
  EXPECT_EQ(state.saveName, u"GAME.BAS");
  line = u"#pi_autosave game.bas";
  pre::handleTargetOptions(line, state);
  EXPECT_EQ(state.saveName, u"game.bas");
  EXPECT_FALSE(state.espOption);

  line = u"#ESP_CLIPBOARD";
  EXPECT_TRUE(pre::handleTargetOptions(line, state));
  EXPECT_TRUE(state.espOption);
  line = u"#ESP_CLIPBOARD";
  EXPECT_FALSE(pre::handleTargetOptions(line, state)) << "only the first one restarts the reading";
  EXPECT_EQ(line, u";#ESP_CLIPBOARD\r\n");
}

}  // namespace
