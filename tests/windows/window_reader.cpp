// Finds a top-level window by its title, writes what it shows into a report
// file (title, inner size, placement, and every control with its class,
// position, wrapping, background colour and lines), then closes it as the
// user would.
//
//   window_reader TITLES... [--out FILE] [--wait SECONDS] [--keep-open] [--close]
//
// TITLES: any number of --title TEXT (exact), --title-prefix TEXT and
// --empty-title; the first visible window that matches one is taken.
// --keep-open leaves the window open (for a screenshot); --close only closes
// it. Exit code 0 when a window was found, 2 when none appeared in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
  std::vector<std::wstring> titles;
  std::vector<std::wstring> prefixes;
  std::wstring out;
  int waitSeconds = 20;
  bool read = true;
  bool close = true;
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
  report += "rows: " + std::to_string(rows) + "\n";
  for (const auto& line : linesOf(windowText(box))) report += "| " + utf8(line) + "\n";
  return report;
}

std::string describeWindow(HWND window) {
  RECT client{};
  RECT frame{};
  ::GetClientRect(window, &client);
  ::GetWindowRect(window, &frame);
  int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  bool centred = std::abs(frame.left + frame.right - screenWidth) <= 1 &&
                 (std::abs(frame.top + frame.bottom - screenHeight) <= 1 || frame.top == 0);
  LONG style = ::GetWindowLongW(window, GWL_STYLE);
  char head[256];
  std::snprintf(head, sizeof head, "client: %ld x %ld\ncentred: %s\nresizable: %s\nclose box: %s\n",
                client.right, client.bottom, centred ? "yes" : "no", (style & WS_THICKFRAME) ? "yes" : "no",
                (style & WS_SYSMENU) ? "yes" : "no");
  wchar_t title[1025] = {};
  ::GetWindowTextW(window, title, 1025);
  std::string report = "title: " + utf8(title) + "\n" + head;
  for (HWND box : childrenOf(window)) {
    if (::GetParent(box) == window) report += describeBox(window, box);
  }
  return report;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
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
    else return std::nullopt;
  }
  bool anyTitle = !options.titles.empty() || !options.prefixes.empty();
  if (!anyTitle || (options.read && options.out.empty())) return std::nullopt;
  return options;
}

bool closeWindow(HWND window) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && ::IsWindow(window); ++i) ::Sleep(100);
  return !::IsWindow(window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  auto options = parse(argc, argv);
  if (!options) {
    std::fputs("usage: window_reader (--title TEXT | --title-prefix TEXT | --empty-title)..."
               " [--out FILE] [--wait SECONDS] [--keep-open] [--close]\n",
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
  if (options->read && !writeFile(options->out, describeWindow(window))) return 3;
  if (options->close && !closeWindow(window)) return 4;
  return 0;
}
