#pragma once

#include <string>
#include <string_view>

namespace platform {
class Host;
}

namespace delivery {

/// The beginning of the WinBasic interpreter's window title.
inline constexpr std::u16string_view kWinBasicTitlePrefix = u"WinBasic";

/// What is typed into WinBasic and how.
struct DeliveryRequest {
  std::u16string outputText;
  std::u16string testName;
  /// Milliseconds after each key of typed text, as #WINDELAY set it.
  int winDelay;
  bool autoRun = false;
};

/// Types the program into the last visible WinBasic window: Ctrl+C, "CLS",
/// "AUTOSAVE" with the quoted program name, a paste of the program from the
/// clipboard, and F1, or F2 to run it. Without such a window a message box
/// says so and nothing is typed.
void deliverToWinBasic(platform::Host& host, const DeliveryRequest& request);

/// Types each character: A-Z, 0-9 and the blank as their own key codes,
/// anything else through the keyboard layout with its shift state.
void typeText(platform::Host& host, std::u16string_view text, int winDelay);

/// Types a double quote through the keyboard layout.
void typeQuote(platform::Host& host);

/// Sends one key event: flags 0 for key down, 2 for key up.
void pressKey(platform::Host& host, uint16_t virtualKey, uint32_t flags);

}  // namespace delivery
