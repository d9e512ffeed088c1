// Finds a top-level window by its title, writes what it shows into a report
// file (title, inner size, DPI, placement in the work area, and every
// control with its class, position, wrapping, background colour, row height
// and lines), then closes it as the user would.
//
//   window_reader TITLES... [--out FILE] [--wait SECONDS] [--keep-open] [--close]
//                 [--select-all] [--close-key escape|enter]
//
// TITLES: any number of --title TEXT (exact), --title-prefix TEXT and
// --empty-title; the first visible window that matches one is taken.
// --keep-open leaves the window open (for a screenshot); --close only closes
// it (and notes how in FILE, when given). --select-all presses Ctrl+A and
// Ctrl+C and reports whether the clipboard then holds the focused box's whole
// text; --close-key closes the window with that key instead of a close
// message. Exit code 0 when a window was found, 2 when none appeared in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Options {
  std::vector<std::wstring> titles;
  std::vector<std::wstring> prefixes;
  std::wstring out;
  int waitSeconds = 20;
  bool read = true;
  bool close = true;
  bool selectAll = false;
  WORD closeKey = 0;
};

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                   nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
  return bytes;
}

std::wstring windowText(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &got);
  text.resize(got);
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> childrenOf(HWND window) {
  std::vector<HWND> children;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

bool titleMatches(const Options& options, const std::wstring& title) {
  for (const auto& wanted : options.titles) {
    if (title == wanted) return true;
  }
  for (const auto& prefix : options.prefixes) {
    if (title.starts_with(prefix)) return true;
  }
  return false;
}

// A visible window with a wanted title. An empty title is common among
// hidden helper windows, so such a match must also hold controls.
HWND findWindow(const Options& options) {
  struct Search {
    const Options* options;
    HWND found;
  } search{&options, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        wchar_t text[1025] = {};
        ::GetWindowTextW(window, text, 1025);
        if (!::IsWindowVisible(window) || !titleMatches(*search->options, text)) return TRUE;
        if (text[0] == L'\0' && childrenOf(window).empty()) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The lines of a text box, whatever line ends the control hands out; none
// for an empty box.
std::vector<std::wstring> linesOf(const std::wstring& text) {
  if (text.empty()) return {};
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

// The colour on the screen just inside the box's bottom-right corner, where
// no text stands in the windows under test.
std::string backgroundOf(HWND box) {
  RECT client{};
  ::GetClientRect(box, &client);
  POINT point{client.right - 3, client.bottom - 3};
  ::ClientToScreen(box, &point);
  HDC screen = ::GetDC(nullptr);
  COLORREF colour = ::GetPixel(screen, point.x, point.y);
  ::ReleaseDC(nullptr, screen);
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d,%d", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

// For a plain edit box: how far apart its first two rows are, which follows
// the font's size. Rich-edit boxes answer this only inside their process.
std::string rowHeightOf(HWND box) {
  if (className(box) != L"Edit") return {};
  DWORD_PTR second = 0;
  DWORD_PTR first = 0;
  DWORD_PTR next = 0;
  ::SendMessageTimeoutW(box, EM_LINEINDEX, 1, 0, SMTO_ABORTIFHUNG, 5000, &second);
  if (static_cast<LONG_PTR>(second) <= 0) return {};
  ::SendMessageTimeoutW(box, EM_POSFROMCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &first);
  ::SendMessageTimeoutW(box, EM_POSFROMCHAR, second, 0, SMTO_ABORTIFHUNG, 5000, &next);
  return "row height: " + std::to_string(static_cast<short>(HIWORD(next)) - static_cast<short>(HIWORD(first))) +
         "\n";
}

std::string describeBox(HWND window, HWND box) {
  RECT frame{};
  ::GetWindowRect(box, &frame);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
  LONG style = ::GetWindowLongW(box, GWL_STYLE);
  bool wraps = !(style & (WS_HSCROLL | ES_AUTOHSCROLL));
  char head[256];
  std::snprintf(head, sizeof head, "box: %s at %ld,%ld size %ld x %ld wrap %s readonly %s background ",
                utf8(className(box)).c_str(), frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top, wraps ? "yes" : "no", (style & ES_READONLY) ? "yes" : "no");
  std::string report = head + backgroundOf(box) + "\n";
  // Rows as the box lays them out: more rows than lines means it wraps.
  DWORD_PTR rows = 0;
  ::SendMessageTimeoutW(box, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows);
  report += "rows: " + std::to_string(rows) + "\n" + rowHeightOf(box);
  for (const auto& line : linesOf(windowText(box))) report += "| " + utf8(line) + "\n";
  return report;
}

RECT workAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

std::string describeWindow(HWND window) {
  RECT client{};
  RECT frame{};
  ::GetClientRect(window, &client);
  ::GetWindowRect(window, &frame);
  const RECT work = workAreaOf(window);
  bool fits = frame.left >= work.left && frame.top >= work.top && frame.right <= work.right &&
              frame.bottom <= work.bottom;
  bool centred = std::abs(frame.left + frame.right - work.left - work.right) <= 1 &&
                 std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1;
  LONG style = ::GetWindowLongW(window, GWL_STYLE);
  char head[512];
  std::snprintf(head, sizeof head,
                "client: %ld x %ld\ndpi: %u\nwork area: %ld x %ld\nframe: %ld x %ld\nfits the work area: %s\n"
                "centred: %s\nresizable: %s\nclose box: %s\n",
                client.right, client.bottom, ::GetDpiForWindow(window), work.right - work.left,
                work.bottom - work.top, (frame.right - frame.left) - client.right,
                (frame.bottom - frame.top) - client.bottom, fits ? "yes" : "no", centred ? "yes" : "no",
                (style & WS_THICKFRAME) ? "yes" : "no", (style & WS_SYSMENU) ? "yes" : "no");
  wchar_t title[1025] = {};
  ::GetWindowTextW(window, title, 1025);
  std::string report = "title: " + utf8(title) + "\n" + head;
  for (HWND box : childrenOf(window)) {
    if (::GetParent(box) == window) report += describeBox(window, box);
  }
  return report;
}

void pressKeys(HWND window, std::initializer_list<std::pair<WORD, bool>> keys) {
  ::SetForegroundWindow(window);
  std::vector<INPUT> inputs;
  for (auto [key, down] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::wstring clipboardText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// Ctrl+A, then Ctrl+C: the clipboard must then hold the focused box's whole
// text (line ends and a final line end aside).
std::string selectAllReport(HWND window) {
  if (::OpenClipboard(nullptr)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  DWORD before = ::GetClipboardSequenceNumber();
  pressKeys(window, {{VK_CONTROL, true}, {'A', true}, {'A', false}, {'C', true}, {'C', false}, {VK_CONTROL, false}});
  for (int i = 0; i < 30 && ::GetClipboardSequenceNumber() == before; ++i) ::Sleep(100);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
  if (!thread.hwndFocus || ::GetParent(thread.hwndFocus) != window) return "select all: no box has the focus\n";
  auto wanted = linesOf(windowText(thread.hwndFocus));
  auto copied = linesOf(clipboardText());
  while (!copied.empty() && copied.back().empty()) copied.pop_back();
  while (!wanted.empty() && wanted.back().empty()) wanted.pop_back();
  return copied == wanted ? "select all: yes\n" : "select all: no, the clipboard holds " +
                                                      std::to_string(copied.size()) + " lines\n";
}

bool writeFile(const std::wstring& path, const std::string& bytes, bool append = false) {
  HANDLE file = ::CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, 0, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

std::optional<Options> parse(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::wstring word = argv[i];
    bool hasValue = i + 1 < argc;
    if (word == L"--title" && hasValue) options.titles.push_back(argv[++i]);
    else if (word == L"--title-prefix" && hasValue) options.prefixes.push_back(argv[++i]);
    else if (word == L"--empty-title") options.titles.push_back(L"");
    else if (word == L"--out" && hasValue) options.out = argv[++i];
    else if (word == L"--wait" && hasValue) options.waitSeconds = _wtoi(argv[++i]);
    else if (word == L"--keep-open") options.close = false;
    else if (word == L"--close") options.read = false;
    else if (word == L"--select-all") options.selectAll = true;
    else if (word == L"--close-key" && hasValue) {
      std::wstring key = argv[++i];
      if (key == L"escape") options.closeKey = VK_ESCAPE;
      else if (key == L"enter") options.closeKey = VK_RETURN;
      else return std::nullopt;
    }
    else return std::nullopt;
  }
  bool anyTitle = !options.titles.empty() || !options.prefixes.empty();
  if (!anyTitle || (options.read && options.out.empty())) return std::nullopt;
  return options;
}

bool waitUntilGone(HWND window, int tenths) {
  for (int i = 0; i < tenths && ::IsWindow(window); ++i) ::Sleep(100);
  return !::IsWindow(window);
}

// With a key the way the user closes it; when the key does not close it, a
// close message does, so that the run goes on, and the report says so.
std::string closeWindow(HWND window, WORD key) {
  if (key) {
    pressKeys(window, {{key, true}, {key, false}});
    if (waitUntilGone(window, 50)) return std::string("closed by ") + (key == VK_ESCAPE ? "Esc" : "Enter") + "\n";
  }
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!waitUntilGone(window, 100)) return {};
  return key ? "closed by a close message: the key did not close it\n" : "closed by a close message\n";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Sizes as the screen has them, not scaled down for a program that knows no DPI.
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  auto options = parse(argc, argv);
  if (!options) {
    std::fputs("usage: window_reader (--title TEXT | --title-prefix TEXT | --empty-title)..."
               " [--out FILE] [--wait SECONDS] [--keep-open] [--close] [--select-all]"
               " [--close-key escape|enter]\n",
               stderr);
    return 64;
  }
  HWND window = nullptr;
  for (int i = 0; i <= options->waitSeconds * 10 && !window; ++i) {
    window = findWindow(*options);
    if (!window) ::Sleep(100);
  }
  if (!window) return 2;
  // Let the window finish painting before its pixels are read.
  ::Sleep(500);
  if (options->read) {
    std::string report = describeWindow(window);
    if (options->selectAll) report += selectAllReport(window);
    if (!writeFile(options->out, report)) return 3;
  }
  if (!options->close) return 0;
  std::string closed = closeWindow(window, options->closeKey);
  if (closed.empty()) return 4;
  if (!options->out.empty() && !writeFile(options->out, closed, true)) return 3;
  return 0;
}
