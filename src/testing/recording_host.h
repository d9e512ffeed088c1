#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/text_window.h"

namespace testing_support {

/// A Host that records what the run asks of the desktop, in order, and plays
/// a desktop with the windows and keyboard layout a test gives it.
class RecordingHost : public platform::Host {
 public:
  /// Every request as one readable line, e.g. "key 0xA2 down", "sleep 100",
  /// "clipboard <text>", "start <program> <path> in <folder>".
  std::vector<std::string> events;
  std::vector<platform::TextWindow> windows;
  std::vector<platform::TopLevelWindow> desktopWindows;
  platform::DesktopSize desktop{1920, 1080};
  bool windowsCanBeShown = true;
  /// Answers keyForCharacter; by default a US layout for the characters tests use.
  std::function<int16_t(char16_t)> layout;
  /// Called for runAndWait, to stand in for the program run.
  std::function<bool(const std::u16string&)> onRun;

  bool showWindow(const platform::TextWindow& window) override;
  void showMessageBox(std::u16string_view title, std::u16string_view text,
                      platform::MessageIcon icon) override;
  platform::DesktopSize desktopSize() override { return desktop; }
  void notice(std::u16string_view line) override;
  bool startProgram(const std::u16string& program, const std::u16string& pathArgument,
                    const std::u16string& workingFolder) override;
  platform::ChildEnd runAndWait(const std::u16string& commandLine, std::chrono::milliseconds limit) override;
  std::vector<platform::TopLevelWindow> topLevelWindows() override { return desktopWindows; }
  void bringToForeground(uintptr_t windowId) override;
  int16_t keyForCharacter(char16_t c) override;
  void sendKey(uint16_t virtualKey, uint32_t flags) override;
  void sleep(int milliseconds) override;
  bool setClipboardText(std::u16string_view text) override;
};

}  // namespace testing_support
