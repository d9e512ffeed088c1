#pragma once

#include <string>

namespace delivery {

/// What a clipboard-mode run puts on the clipboard, and how it ends.
struct ClipboardRequest {
  std::u16string programText;
  /// The program alone, as the ESP option asks.
  bool espOption = false;
  bool autoRun = false;
  bool autoSave = false;
  std::u16string saveName;
};

/// The text a clipboard-mode run leaves on the clipboard: the program alone
/// with the ESP option; otherwise "AUTOSAVE", the program and the keystrokes
/// that end the input, run it or save it, as the auto-run and auto-save
/// options ask.
std::u16string clipboardText(const ClipboardRequest& request);

}  // namespace delivery
