#include "platform/window-win32.h"

#include <windows.h>
#include <richedit.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_window.h"
#include "platform/window_geometry.h"

namespace platform {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

constexpr wchar_t kWindowClass[] = L"PrexleTextWindow";
// The program's icon in its resources.
constexpr wchar_t kIconName[] = L"PREXLE";
// Rich-edit boxes hold whole reports; the default limit is 32K characters.
constexpr LPARAM kRichTextLimit = 64 * 1024 * 1024;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

COLORREF colourRef(const Colour& colour) { return RGB(colour.red, colour.green, colour.blue); }

std::u16string joinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lines[i];
  }
  return text;
}

// A GDI object (font, brush) deleted with its owner.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object = nullptr) : object_(object) {}
  ~GdiObject() { reset(nullptr); }
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&&) = delete;
  HGDIOBJ get() const { return object_; }
  void reset(HGDIOBJ object) {
    if (object_) ::DeleteObject(object_);
    object_ = object;
  }
  void swap(GdiObject& other) noexcept { std::swap(object_, other.object_); }

 private:
  HGDIOBJ object_;
};

// A plain text box with colours of its own, painted through WM_CTLCOLORSTATIC
// (a read-only edit control asks its parent as a static control would).
struct BoxColours {
  HWND box = nullptr;
  COLORREF background = 0;
  std::optional<COLORREF> text;
  GdiObject brush;
};

struct WindowState {
  const TextWindow* data = nullptr;
  int dpi = kLayoutDpi;
  GdiObject font;
  std::vector<HWND> boxes;
  std::vector<BoxColours> colours;
};

// The DPI the screen sizes are given in before there is a window to ask.
int systemDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

// Looked up at run time: Windows before 10 has no DPI per window, and the
// tool should still start there.
int windowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

// Windows open on the screen of the window the user was working in (the
// editor that started the tool), or on the primary one.
HMONITOR userMonitor() { return ::MonitorFromWindow(::GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY); }

PixelRect pixelRect(const RECT& rect) {
  return PixelRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

PixelRect workAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info)) return pixelRect(info.rcWork);
  RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return pixelRect(area);
}

// What the frame (caption and borders) adds to the client area, as the
// window measures at its present DPI.
PixelSize frameExtent(HWND window) {
  RECT outer{};
  RECT client{};
  ::GetWindowRect(window, &outer);
  ::GetClientRect(window, &client);
  return PixelSize{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

HFONT createFont(const Font& font, int dpi) {
  return ::CreateFontW(-::MulDiv(font.points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                       wide(font.name));
}

WPARAM boxFont(const WindowState& state) {
  return reinterpret_cast<WPARAM>(state.font.get() ? state.font.get() : ::GetStockObject(DEFAULT_GUI_FONT));
}

void layoutBoxes(HWND window, const WindowState& state) {
  RECT client{};
  ::GetClientRect(window, &client);
  const auto places = boxPlaces(*state.data, PixelSize{client.right, client.bottom}, state.dpi);
  for (size_t i = 0; i < state.boxes.size() && i < places.size(); ++i) {
    ::MoveWindow(state.boxes[i], places[i].x, places[i].y, places[i].width, places[i].height, TRUE);
  }
}

void setRichColours(HWND box, const TextGadget& gadget, WPARAM range) {
  if (gadget.background) ::SendMessageW(box, EM_SETBKGNDCOLOR, 0, colourRef(*gadget.background));
  if (!gadget.textColour) return;
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colourRef(*gadget.textColour);
  ::SendMessageW(box, EM_SETCHARFORMAT, range, reinterpret_cast<LPARAM>(&format));
}

// On another screen the window takes the size Windows suggests and fonts
// made for that screen; the old font goes only once no box uses it.
void moveToDpi(HWND window, WindowState& state, int dpi, const RECT& suggested) {
  state.dpi = dpi;
  if (state.data->font) {
    GdiObject font(createFont(*state.data->font, dpi));
    if (font.get()) state.font.swap(font);
    for (size_t i = 0; i < state.boxes.size(); ++i) {
      ::SendMessageW(state.boxes[i], WM_SETFONT, boxFont(state), TRUE);
      const TextGadget& gadget = state.data->gadgets[i];
      if (gadget.kind == GadgetKind::richText) setRichColours(state.boxes[i], gadget, SCF_ALL);
    }
  }
  ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layoutBoxes(window, state);
}

LRESULT paintBox(const WindowState& state, HDC dc, HWND box) {
  for (const auto& entry : state.colours) {
    if (entry.box != box) continue;
    ::SetBkColor(dc, entry.background);
    if (entry.text) ::SetTextColor(dc, *entry.text);
    return reinterpret_cast<LRESULT>(entry.brush.get());
  }
  return 0;
}

// The client area may shrink only so far, whatever the frame adds.
void limitTracking(HWND window, const WindowState& state, MINMAXINFO& limits) {
  const PixelSize frame = frameExtent(window);
  const PixelSize least = minimumClientSize(state.dpi);
  limits.ptMinTrackSize.x = least.width + frame.width;
  limits.ptMinTrackSize.y = least.height + frame.height;
}

LRESULT CALLBACK textWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<WindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (state) {
        LRESULT brush = paintBox(*state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush) return brush;
      }
      break;
    case WM_SIZE:
      if (state) layoutBoxes(window, *state);
      return 0;
    case WM_GETMINMAXINFO:
      if (state) limitTracking(window, *state, *reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DPICHANGED:
      if (state) moveToDpi(window, *state, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETFOCUS:
      // Back from another window, the keys go to the text again.
      if (state && !state->boxes.empty()) ::SetFocus(state->boxes.back());
      return 0;
    case WM_DESTROY:
      // Ends this window's own message loop; the next window starts a new one.
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HICON programIcon(int sizeMetric) {
  const int size = ::GetSystemMetrics(sizeMetric);
  auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), kIconName, IMAGE_ICON, size, size, 0));
  return icon ? icon : ::LoadIconW(nullptr, IDI_APPLICATION);
}

bool registerWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = textWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = programIcon(SM_CXICON);
    windowClass.hIconSm = programIcon(SM_CXSMICON);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  return registered;
}

bool loadRichEdit() {
  static const bool loaded = ::LoadLibraryW(L"Msftedit.dll") != nullptr;
  return loaded;
}

DWORD boxStyle(const TextGadget& gadget) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
  if (!gadget.wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  return style;
}

// Made at no size: the layout places it once every box is there.
HWND createBox(HWND window, WindowState& state, const TextGadget& gadget) {
  bool rich = gadget.kind == GadgetKind::richText;
  if (rich && !loadRichEdit()) return nullptr;
  HWND box = ::CreateWindowExW(WS_EX_CLIENTEDGE, rich ? MSFTEDIT_CLASS : L"EDIT", L"", boxStyle(gadget), 0, 0, 0, 0,
                               window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!box) return nullptr;
  ::SendMessageW(box, WM_SETFONT, boxFont(state), FALSE);
  if (rich) {
    ::SendMessageW(box, EM_EXLIMITTEXT, 0, kRichTextLimit);
    // A zero line width turns wrapping off; without it the box wraps at its edge.
    ::SendMessageW(box, EM_SETTARGETDEVICE, 0, gadget.wordWrap ? 0 : 1);
    setRichColours(box, gadget, SCF_DEFAULT);
  } else {
    ::SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    if (gadget.background) {
      std::optional<COLORREF> text;
      if (gadget.textColour) text = colourRef(*gadget.textColour);
      COLORREF background = colourRef(*gadget.background);
      state.colours.push_back(BoxColours{box, background, text, GdiObject(::CreateSolidBrush(background))});
    }
  }
  std::u16string content = joinLines(gadget.lines);
  ::SetWindowTextW(box, wide(content));
  if (rich) setRichColours(box, gadget, SCF_ALL);
  return box;
}

// Destroys the window if it is still there when the call ends early.
class WindowGuard {
 public:
  explicit WindowGuard(HWND window) : window_(window) {}
  ~WindowGuard() {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
  }
  WindowGuard(const WindowGuard&) = delete;
  WindowGuard& operator=(const WindowGuard&) = delete;

 private:
  HWND window_;
};

void selectAll(const WindowState& state) {
  if (state.boxes.empty()) return;
  HWND box = state.boxes.back();
  for (HWND candidate : state.boxes) {
    if (candidate == ::GetFocus()) box = candidate;
  }
  ::SetFocus(box);
  ::SendMessageW(box, EM_SETSEL, 0, -1);
}

// Esc and Enter close the window, as they close a dialog; Ctrl+A selects the
// whole text of a box. A key held down from before, arriving as a repeat,
// closes nothing: it was meant for the window that was there.
bool handleKey(HWND window, const WindowState& state, const MSG& message) {
  if (message.message != WM_KEYDOWN || (message.hwnd != window && !::IsChild(window, message.hwnd))) return false;
  const bool repeat = (message.lParam & (1 << 30)) != 0;
  if (message.wParam == VK_ESCAPE || message.wParam == VK_RETURN) {
    if (!repeat) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return true;
  }
  if (message.wParam == 'A' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
    selectAll(state);
    return true;
  }
  return false;
}

// Created on the user's screen so that it reports that screen's DPI, then
// sized for it and centred in its work area.
HWND createFrame(const TextWindow& data, WindowState& state, const PixelRect& workArea) {
  return ::CreateWindowExW(0, kWindowClass, wide(data.title), kWindowStyle, workArea.x, workArea.y,
                           workArea.width / 2, workArea.height / 2, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                           &state);
}

}  // namespace

bool showNativeTextWindow(const TextWindow& data) {
  if (!registerWindowClass()) return false;
  WindowState state;
  state.data = &data;
  const PixelRect workArea = workAreaOf(userMonitor());
  HWND window = createFrame(data, state, workArea);
  if (!window) return false;
  WindowGuard guard(window);
  state.dpi = windowDpi(window);
  if (data.font) state.font.reset(createFont(*data.font, state.dpi));
  for (const auto& gadget : data.gadgets) {
    HWND box = createBox(window, state, gadget);
    if (!box) return false;
    state.boxes.push_back(box);
  }
  const PixelRect frame = frameInWorkArea(scaledClientSize(data, state.dpi), frameExtent(window), workArea);
  ::SetWindowPos(window, nullptr, frame.x, frame.y, frame.width, frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
  layoutBoxes(window, state);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  ::SetForegroundWindow(window);
  if (!state.boxes.empty()) ::SetFocus(state.boxes.back());
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (handleKey(window, state, message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

DesktopSize nativeDesktopSize() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (::GetMonitorInfoW(userMonitor(), &info)) screen = info.rcMonitor;
  const int dpi = systemDpi();
  return DesktopSize{layoutPixels(screen.right - screen.left, dpi), layoutPixels(screen.bottom - screen.top, dpi)};
}

}  // namespace platform
