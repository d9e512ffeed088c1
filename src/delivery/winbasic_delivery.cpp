#include "delivery/winbasic_delivery.h"

#include <optional>

#include "platform/host.h"

namespace delivery {
namespace {

constexpr uint16_t kLeftCtrl = 0xA2;
constexpr uint16_t kShift = 0x10;
constexpr uint16_t kCtrl = 0x11;
constexpr uint16_t kAlt = 0x12;
constexpr uint16_t kEnter = 0x0D;
constexpr uint16_t kLetterC = 0x43;
constexpr uint16_t kLetterV = 0x56;
constexpr uint16_t kF1 = 0x70;
constexpr uint16_t kF2 = 0x71;
constexpr int kPause = 100;

std::optional<uintptr_t> findWinBasicWindow(platform::Host& host) {
  std::optional<uintptr_t> found;
  // The last match in the list wins, as the whole list is always walked.
  for (const auto& window : host.topLevelWindows()) {
    if (window.visible && std::u16string_view(window.title).starts_with(kWinBasicTitlePrefix)) {
      found = window.id;
    }
  }
  return found;
}

// A key pressed and released with a pause after each event.
void tap(platform::Host& host, uint16_t key, int pause) {
  pressKey(host, key, platform::kKeyDown);
  host.sleep(pause);
  pressKey(host, key, platform::kKeyUp);
  host.sleep(pause);
}

// Ctrl held around a key, with the fixed pauses between all four events.
void chord(platform::Host& host, uint16_t key) {
  pressKey(host, kLeftCtrl, platform::kKeyDown);
  host.sleep(kPause);
  tap(host, key, kPause);
  pressKey(host, kLeftCtrl, platform::kKeyUp);
  host.sleep(kPause);
}

std::optional<uint16_t> modifierFor(int shiftState) {
  switch (shiftState) {
    case 1: return kShift;
    case 2: return kCtrl;
    case 4: return kAlt;
    default: return std::nullopt;
  }
}

// What types a character in the current keyboard layout: its key, and the
// modifier held around it.
struct LayoutKey {
  uint16_t key = 0;
  std::optional<uint16_t> modifier;
};

// A character the layout cannot type has no key; it is skipped.
std::optional<LayoutKey> layoutKeyFor(platform::Host& host, char16_t c) {
  const int16_t answer = host.keyForCharacter(c);
  if (answer == -1) return std::nullopt;
  return LayoutKey{static_cast<uint16_t>(answer & 0xFF), modifierFor((answer >> 8) & 0xFF)};
}

bool typesAsItself(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ';
}

void typeThroughLayout(platform::Host& host, char16_t c, int pause) {
  const auto typed = layoutKeyFor(host, c);
  if (!typed) return;
  if (typed->modifier) pressKey(host, *typed->modifier, platform::kKeyDown);
  tap(host, typed->key, pause);
  if (typed->modifier) pressKey(host, *typed->modifier, platform::kKeyUp);
}

}  // namespace

void pressKey(platform::Host& host, uint16_t virtualKey, uint32_t flags) {
  host.sendKey(virtualKey, flags);
}

void typeText(platform::Host& host, std::u16string_view text, int winDelay) {
  for (char16_t c : text) {
    if (typesAsItself(c)) {
      tap(host, c, winDelay);
    } else {
      typeThroughLayout(host, c, winDelay);
    }
  }
}

// The quote has pauses of its own: after the modifier and the key going
// down, none after it comes up.
void typeQuote(platform::Host& host) {
  const auto typed = layoutKeyFor(host, u'"');
  if (!typed) return;
  if (typed->modifier) pressKey(host, *typed->modifier, platform::kKeyDown);
  host.sleep(kPause);
  pressKey(host, typed->key, platform::kKeyDown);
  host.sleep(kPause);
  pressKey(host, typed->key, platform::kKeyUp);
  if (typed->modifier) pressKey(host, *typed->modifier, platform::kKeyUp);
}

void deliverToWinBasic(platform::Host& host, const DeliveryRequest& request) {
  const auto window = findWinBasicWindow(host);
  if (!window) {
    host.showMessageBox(u"Information", u"WinBasic window not found. Please open WinBasic and retry.",
                        platform::MessageIcon::information);
    return;
  }
  host.bringToForeground(*window);
  host.sleep(kPause);
  chord(host, kLetterC);
  typeText(host, u"CLS", request.winDelay);
  tap(host, kEnter, kPause);
  typeText(host, u"AUTOSAVE ", request.winDelay);
  typeQuote(host);
  typeText(host, request.testName, request.winDelay);
  typeQuote(host);
  tap(host, kEnter, kPause);
  host.setClipboardText(request.outputText);
  chord(host, kLetterV);
  tap(host, request.autoRun ? kF2 : kF1, kPause);
}

}  // namespace delivery
