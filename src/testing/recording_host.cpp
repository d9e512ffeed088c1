#include "testing/recording_host.h"

#include <cstdio>

#include "text/utf8.h"

namespace testing_support {
namespace {

std::string utf8(std::u16string_view s) { return text::encodeUtf8(s); }

std::string hexByte(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", value);
  return buffer;
}

// The US keyboard layout for the characters the tests type.
int16_t usLayout(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<int16_t>(c - u'a' + 'A');
  if (c >= u'A' && c <= u'Z') return static_cast<int16_t>(0x100 | c);
  if (c >= u'0' && c <= u'9') return static_cast<int16_t>(c);
  switch (c) {
    case u' ': return 0x20;
    case u'"': return 0x1DE;
    case u'_': return 0x1BD;
    case u'-': return 0xBD;
    case u'.': return 0xBE;
    default: return -1;
  }
}

}  // namespace

bool RecordingHost::showWindow(const platform::TextWindow& window) {
  if (!windowsCanBeShown) return false;
  windows.push_back(window);
  events.push_back("window " + utf8(window.title));
  return true;
}

void RecordingHost::showMessageBox(std::u16string_view title, std::u16string_view text,
                                   platform::MessageIcon icon) {
  events.push_back("message " + utf8(title) + ": " + utf8(text) +
                   (icon == platform::MessageIcon::information ? " (information)" : " (error)"));
}

void RecordingHost::notice(std::u16string_view line) { events.push_back("notice " + utf8(line)); }

bool RecordingHost::startProgram(const std::u16string& program, const std::u16string& pathArgument,
                                 const std::u16string& workingFolder) {
  events.push_back("start " + utf8(program) + " " + utf8(pathArgument) + " in " + utf8(workingFolder));
  return true;
}

platform::ChildEnd RecordingHost::runAndWait(const std::u16string& commandLine, std::chrono::milliseconds) {
  events.push_back("run " + utf8(commandLine));
  return !onRun || onRun(commandLine) ? platform::ChildEnd::succeeded : platform::ChildEnd::failed;
}

void RecordingHost::bringToForeground(uintptr_t windowId) {
  events.push_back("foreground " + std::to_string(windowId));
}

int16_t RecordingHost::keyForCharacter(char16_t c) { return layout ? layout(c) : usLayout(c); }

void RecordingHost::sendKey(uint16_t virtualKey, uint32_t flags) {
  events.push_back("key " + hexByte(virtualKey) + (flags == platform::kKeyUp ? " up" : " down"));
}

void RecordingHost::sleep(int milliseconds) { events.push_back("sleep " + std::to_string(milliseconds)); }

bool RecordingHost::setClipboardText(std::u16string_view text) {
  events.push_back("clipboard " + utf8(text));
  return true;
}

}  // namespace testing_support
