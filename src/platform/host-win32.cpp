#include "platform/host.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/utf8.h"
#include "platform/text_window.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
wchar_t* wideBuffer(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }

constexpr wchar_t kWindowClass[] = L"PrexleTextWindow";
// Rich-edit boxes hold whole reports; the default limit is 32K characters.
constexpr LPARAM kRichTextLimit = 64 * 1024 * 1024;

COLORREF colourRef(const platform::Colour& colour) { return RGB(colour.red, colour.green, colour.blue); }

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
  ~GdiObject() {
    if (object_) ::DeleteObject(object_);
  }
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&&) = delete;
  HGDIOBJ get() const { return object_; }

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
  GdiObject font;
  std::vector<BoxColours> colours;
};

LRESULT paintBox(const WindowState& state, HDC dc, HWND box) {
  for (const auto& entry : state.colours) {
    if (entry.box != box) continue;
    ::SetBkColor(dc, entry.background);
    if (entry.text) ::SetTextColor(dc, *entry.text);
    return reinterpret_cast<LRESULT>(entry.brush.get());
  }
  return 0;
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
    case WM_DESTROY:
      // Ends this window's own message loop; the next window starts a new one.
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = textWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
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

HFONT createFont(const platform::Font& font) {
  HDC screen = ::GetDC(nullptr);
  int height = -::MulDiv(font.points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  return ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, wide(font.name));
}

struct Frame {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The outer frame for the inner size, centred on the primary display (the
// caption stays on the screen when the window is taller than it).
Frame centredFrame(int width, int height, DWORD style) {
  RECT outer{0, 0, width, height};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  Frame frame{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  frame.x = (::GetSystemMetrics(SM_CXSCREEN) - frame.width) / 2;
  frame.y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - frame.height) / 2);
  return frame;
}

DWORD boxStyle(const platform::TextGadget& gadget) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
  if (!gadget.wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  return style;
}

void setRichColours(HWND box, const platform::TextGadget& gadget, WPARAM range) {
  if (gadget.background) ::SendMessageW(box, EM_SETBKGNDCOLOR, 0, colourRef(*gadget.background));
  if (!gadget.textColour) return;
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colourRef(*gadget.textColour);
  ::SendMessageW(box, EM_SETCHARFORMAT, range, reinterpret_cast<LPARAM>(&format));
}

HWND createBox(HWND window, WindowState& state, const platform::TextGadget& gadget) {
  bool rich = gadget.kind == platform::GadgetKind::richText;
  if (rich && !loadRichEdit()) return nullptr;
  HWND box = ::CreateWindowExW(WS_EX_CLIENTEDGE, rich ? MSFTEDIT_CLASS : L"EDIT", L"", boxStyle(gadget),
                               gadget.x, gadget.y, gadget.width, gadget.height, window, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!box) return nullptr;
  HGDIOBJ font = state.font.get() ? state.font.get() : ::GetStockObject(DEFAULT_GUI_FONT);
  ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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

bool showTextWindow(const platform::TextWindow& data) {
  if (!registerWindowClass()) return false;
  WindowState state{GdiObject(data.font ? createFont(*data.font) : nullptr), {}};
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  Frame frame = centredFrame(data.width, data.height, kStyle);
  HWND window = ::CreateWindowExW(0, kWindowClass, wide(data.title), kStyle, frame.x, frame.y, frame.width,
                                  frame.height, nullptr, nullptr, ::GetModuleHandleW(nullptr), &state);
  if (!window) return false;
  WindowGuard guard(window);
  HWND lastBox = nullptr;
  for (const auto& gadget : data.gadgets) {
    lastBox = createBox(window, state, gadget);
    if (!lastBox) return false;
  }
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  ::SetForegroundWindow(window);
  if (lastBox) ::SetFocus(lastBox);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

// Standard error of a GUI program is whatever the parent handed over (a pipe
// or file when redirected); otherwise the console the tool was started from,
// if any.
HANDLE errorOutput() {
  static const HANDLE output = [] {
    HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
    return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  }();
  return output;
}

void writeError(const std::u16string& text) {
  HANDLE output = errorOutput();
  if (output == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(output, &mode)) {
    ::WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  std::string bytes = text::encodeUtf8(text);
  ::WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Both handles of a started process, closed when the call is done with them.
struct ProcessHandles {
  PROCESS_INFORMATION info{};
  ~ProcessHandles() {
    if (info.hThread) ::CloseHandle(info.hThread);
    if (info.hProcess) ::CloseHandle(info.hProcess);
  }
};

bool createProcess(const wchar_t* program, std::u16string commandLine, const wchar_t* folder,
                   ProcessHandles& handles) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return ::CreateProcessW(program, wideBuffer(commandLine), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                          &handles.info) != 0;
}

// The clipboard, held open by a hidden window of our own: a clipboard opened
// without an owner window refuses new data after it was emptied.
class ClipboardSession {
 public:
  ClipboardSession()
      : owner_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
    // Another program may have it open for a moment.
    for (int attempt = 0; owner_ && attempt < 20 && !open_; ++attempt) {
      open_ = ::OpenClipboard(owner_) != 0;
      if (!open_) ::Sleep(25);
    }
  }
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
    if (owner_) ::DestroyWindow(owner_);
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool isOpen() const { return open_; }

 private:
  HWND owner_;
  bool open_ = false;
};

HGLOBAL globalText(std::u16string_view text) {
  size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return nullptr;
  auto* target = static_cast<char16_t*>(::GlobalLock(memory));
  if (!target) {
    ::GlobalFree(memory);
    return nullptr;
  }
  text.copy(target, text.size());
  target[text.size()] = u'\0';
  ::GlobalUnlock(memory);
  return memory;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  wchar_t title[1025] = {};
  int length = ::GetWindowTextW(window, title, 1025);
  auto* windows = reinterpret_cast<std::vector<TopLevelWindow>*>(list);
  windows->push_back(TopLevelWindow{reinterpret_cast<uintptr_t>(window),
                                    std::u16string(reinterpret_cast<const char16_t*>(title),
                                                   static_cast<size_t>(length > 0 ? length : 0)),
                                    ::IsWindowVisible(window) != 0});
  return TRUE;
}

class Win32Host : public Host {
 public:
  bool showWindow(const platform::TextWindow& window) override { return showTextWindow(window); }

  void showMessageBox(std::u16string_view title, std::u16string_view text, MessageIcon icon) override {
    UINT style = MB_OK | MB_SETFOREGROUND | (icon == MessageIcon::error ? MB_ICONERROR : MB_ICONINFORMATION);
    ::MessageBoxW(nullptr, wide(std::u16string(text)), wide(std::u16string(title)), style);
  }

  DesktopSize desktopSize() override {
    return DesktopSize{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }

  void notice(std::u16string_view line) override {
    std::u16string text = std::u16string(line) + u"\r\n";
    writeError(text);
    ::OutputDebugStringW(wide(text));
  }

  bool startProgram(const std::u16string& program, const std::u16string& pathArgument,
                    const std::u16string& workingFolder) override {
    ProcessHandles handles;
    return createProcess(wide(program), u"\"" + pathArgument + u"\"",
                         workingFolder.empty() ? nullptr : wide(workingFolder), handles);
  }

  bool runAndWait(const std::u16string& commandLine) override {
    ProcessHandles handles;
    if (!createProcess(nullptr, commandLine, nullptr, handles)) return false;
    ::WaitForSingleObject(handles.info.hProcess, INFINITE);
    DWORD exitCode = 1;
    return ::GetExitCodeProcess(handles.info.hProcess, &exitCode) && exitCode == 0;
  }

  std::vector<TopLevelWindow> topLevelWindows() override {
    std::vector<TopLevelWindow> windows;
    ::EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  void bringToForeground(uintptr_t windowId) override {
    HWND window = reinterpret_cast<HWND>(windowId);
    // A minimised window would take no keys.
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
  }

  int16_t keyForCharacter(char16_t c) override { return ::VkKeyScanW(static_cast<wchar_t>(c)); }

  void sendKey(uint16_t virtualKey, uint32_t flags) override {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = 0;
    input.ki.dwFlags = flags;
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    ::SendInput(1, &input, sizeof input);
  }

  void sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds)); }

  bool setClipboardText(std::u16string_view text) override {
    ClipboardSession clipboard;
    if (!clipboard.isOpen() || !::EmptyClipboard()) return false;
    HGLOBAL memory = globalText(text);
    if (!memory) return false;
    if (::SetClipboardData(CF_UNICODETEXT, memory)) return true;
    ::GlobalFree(memory);
    return false;
  }
};

}  // namespace

std::unique_ptr<Host> Host::create() { return std::make_unique<Win32Host>(); }

}  // namespace platform
