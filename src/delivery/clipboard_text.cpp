#include "delivery/clipboard_text.h"

namespace delivery {
namespace {

constexpr char16_t kCtrlC = 3;

std::u16string saveCommand(const ClipboardRequest& request) {
  return u"SAVE \"" + request.saveName + u"\"\r\n";
}

}  // namespace

std::u16string clipboardText(const ClipboardRequest& request) {
  if (request.espOption) return request.programText;
  const bool run = request.autoRun;
  const bool save = request.autoSave;
  std::u16string text = u"AUTOSAVE\r\n" + request.programText + kCtrlC;
  if (run && save) return kCtrlC + text + saveCommand(request) + u"CLS CONSOLE\r\nRUN\r\n";
  if (run) return text + u"RUN\r\n";
  if (save) return text + saveCommand(request);
  return text;
}

}  // namespace delivery
