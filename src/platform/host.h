#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TextWindow;

struct DesktopSize {
  int width = 0;
  int height = 0;
};

/// A top-level window of another program, as the window list reports it.
struct TopLevelWindow {
  uintptr_t id = 0;
  std::u16string title;
  bool visible = false;
};

enum class MessageIcon { information, error };

/// How a program that was waited for ended.
enum class ChildEnd { succeeded, failed, timedOut };

/// Key event flags of synthesized keyboard input.
inline constexpr uint32_t kKeyDown = 0;
inline constexpr uint32_t kKeyUp = 2;

/// Everything a run does to the desktop: windows, programs, keystrokes and the
/// clipboard. One implementation per platform; tests use a recording double.
class Host {
 public:
  virtual ~Host() = default;
  static std::unique_ptr<Host> create();

  /// Shows the window and returns when the user has closed it; false when no
  /// window could be shown.
  virtual bool showWindow(const TextWindow& window) = 0;
  virtual void showMessageBox(std::u16string_view title, std::u16string_view text,
                              MessageIcon icon) = 0;
  virtual DesktopSize desktopSize() = 0;
  /// A short notice for the user that needs no window (console or debugger).
  virtual void notice(std::u16string_view line) = 0;

  /// Starts a program with one argument, a path, and does not wait for it.
  virtual bool startProgram(const std::u16string& program, const std::u16string& pathArgument,
                            const std::u16string& workingFolder) = 0;
  /// Runs a command line and waits until the program has ended, at most for
  /// the limit: one still running then is ended with what it started. It
  /// never outlives the tool, not even a tool that is killed.
  virtual ChildEnd runAndWait(const std::u16string& commandLine, std::chrono::milliseconds limit) = 0;

  virtual std::vector<TopLevelWindow> topLevelWindows() = 0;
  virtual void bringToForeground(uintptr_t windowId) = 0;
  /// The key and shift state that type a character in the current keyboard
  /// layout: low byte the virtual key, high byte the shift state; -1 for none.
  virtual int16_t keyForCharacter(char16_t c) = 0;
  virtual void sendKey(uint16_t virtualKey, uint32_t flags) = 0;
  virtual void sleep(int milliseconds) = 0;
  /// Puts Unicode text on the clipboard.
  virtual bool setClipboardText(std::u16string_view text) = 0;
};

}  // namespace platform
