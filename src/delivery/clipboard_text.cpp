#include "delivery/clipboard_text.h"

#include "app/run_state.h"

namespace delivery {
namespace {

constexpr char16_t kCtrlC = 3;

std::u16string saveCommand(const app::RunState& state) {
  return u"SAVE \"" + state.saveName + u"\"\r\n";
}

}  // namespace

std::u16string clipboardText(const app::RunState& state) {
  if (state.espOption) return state.outputText;
  const bool run = state.piAutoRun;
  const bool save = state.piAutoSave;
  std::u16string text = u"AUTOSAVE\r\n" + state.outputText + kCtrlC;
  if (run && save) return kCtrlC + text + saveCommand(state) + u"CLS CONSOLE\r\nRUN\r\n";
  if (run) return text + u"RUN\r\n";
  if (save) return text + saveCommand(state);
  return text;
}

}  // namespace delivery
