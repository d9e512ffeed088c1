#include "delivery/winbasic_delivery.h"

#include <gtest/gtest.h>

#include "delivery/clipboard_text.h"
#include "testing/recording_host.h"

namespace {

using testing_support::RecordingHost;
using Events = std::vector<std::string>;

Events tapped(const std::string& key, int pause) {
  return {"key " + key + " down", "sleep " + std::to_string(pause), "key " + key + " up",
          "sleep " + std::to_string(pause)};
}

void add(Events& to, const Events& more) { to.insert(to.end(), more.begin(), more.end()); }

TEST(WinBasicDelivery, TypesCommandsPastesAndEndsWithF1) {
  RecordingHost host;
  host.desktopWindows = {{7, u"WinBasic - first", true},
                         {8, u"Editor", true},
                         {9, u"WinBasic - hidden", false},
                         {11, u"WinBasic - last", true},
                         {12, u"winbasic lower case", true}};
  delivery::deliverToWinBasic(host, {u"x=1\r\n", u"AB", 20, false});

  Events expected{"foreground 11", "sleep 100", "key 0xA2 down", "sleep 100"};
  add(expected, tapped("0x43", 100));
  add(expected, {"key 0xA2 up", "sleep 100"});
  for (auto key : {"0x43", "0x4C", "0x53"}) add(expected, tapped(key, 20));  // CLS
  add(expected, tapped("0x0D", 100));
  for (auto key : {"0x41", "0x55", "0x54", "0x4F", "0x53", "0x41", "0x56", "0x45", "0x20"}) {
    add(expected, tapped(key, 20));  // AUTOSAVE and a blank
  }
  const Events quote{"key 0x10 down", "sleep 100", "key 0xDE down", "sleep 100", "key 0xDE up",
                     "key 0x10 up"};
  add(expected, quote);
  add(expected, tapped("0x41", 20));
  add(expected, tapped("0x42", 20));
  add(expected, quote);
  add(expected, tapped("0x0D", 100));
  add(expected, {"clipboard x=1\r\n", "key 0xA2 down", "sleep 100"});
  add(expected, tapped("0x56", 100));
  add(expected, {"key 0xA2 up", "sleep 100"});
  add(expected, tapped("0x70", 100));
  EXPECT_EQ(host.events, expected);
}

TEST(WinBasicDelivery, AutorunEndsWithF2) {
  RecordingHost host;
  host.desktopWindows = {{1, u"WinBasic", true}};
  delivery::deliverToWinBasic(host, {u"", u"", 50, true});
  ASSERT_GE(host.events.size(), 4u);
  EXPECT_EQ(Events(host.events.end() - 4, host.events.end()), tapped("0x71", 100));
}

TEST(WinBasicDelivery, WithoutAWindowOnlyTheMessageBoxAppears) {
  RecordingHost host;
  host.desktopWindows = {{1, u"WinBasic hidden", false}, {2, u"My WinBasic", true}};
  delivery::deliverToWinBasic(host, {u"x", u"P", 50, false});
  EXPECT_EQ(host.events, Events{"message Information: WinBasic window not found. Please open "
                                "WinBasic and retry. (information)"});
}

TEST(WinBasicDelivery, OtherCharactersGoThroughTheKeyboardLayout) {
  RecordingHost host;
  // A layout with the double quote on Shift+2 and the underscore on Ctrl+Q
  // (odd, but it shows the shift state is honoured).
  host.layout = [](char16_t c) -> int16_t {
    if (c == u'"') return 0x132;
    if (c == u'_') return 0x251;
    return -1;
  };
  delivery::typeQuote(host);
  delivery::typeText(host, u"A_\u00E9", 10);
  Events expected{"key 0x10 down", "sleep 100", "key 0x32 down", "sleep 100", "key 0x32 up", "key 0x10 up"};
  add(expected, tapped("0x41", 10));
  expected.push_back("key 0x11 down");
  add(expected, tapped("0x51", 10));
  expected.push_back("key 0x11 up");
  EXPECT_EQ(host.events, expected) << "a character the layout lacks is skipped";
}

TEST(ClipboardText, EndsAsTheOptionsAsk) {
  delivery::ClipboardRequest state;
  state.programText = u"x=1\r\n";
  state.saveName = u"GAME.BAS";
  EXPECT_EQ(delivery::clipboardText(state), u"AUTOSAVE\r\nx=1\r\n\x03");
  state.autoRun = true;
  EXPECT_EQ(delivery::clipboardText(state), u"AUTOSAVE\r\nx=1\r\n\x03RUN\r\n");
  state.autoRun = false;
  state.autoSave = true;
  EXPECT_EQ(delivery::clipboardText(state), u"AUTOSAVE\r\nx=1\r\n\x03SAVE \"GAME.BAS\"\r\n");
  state.autoRun = true;
  EXPECT_EQ(delivery::clipboardText(state),
            u"\x03" u"AUTOSAVE\r\nx=1\r\n\x03SAVE \"GAME.BAS\"\r\nCLS CONSOLE\r\nRUN\r\n");
  state.espOption = true;
  EXPECT_EQ(delivery::clipboardText(state), u"x=1\r\n");
}

}  // namespace
