#pragma once

#include <string>

namespace app {
struct RunState;
}

namespace delivery {

/// The text a clipboard-mode run leaves on the clipboard: the program alone
/// with the ESP option; otherwise "AUTOSAVE", the program and the keystrokes
/// that end the input, run it or save it, as the auto-run and auto-save
/// options ask.
std::u16string clipboardText(const app::RunState& state);

}  // namespace delivery
