// Drives the Windows platform services directly, one command per run, so the
// suite can check them without going through a whole run of the tool.
//
//   host_probe files FOLDER          file and folder services; prints a line per
//                                    failed check, then "N passed, M failed"
//   host_probe environment FOLDER    current folder and profile folder
//   host_probe start PROGRAM PATH FOLDER    start without waiting
//   host_probe run COMMANDLINE       run and wait; prints the result
//   host_probe desktop               the primary display size
//   host_probe notice TEXT           the notice channel (stderr)
//   host_probe message TITLE TEXT    the information message box
//   host_probe deliver NAME FILE [autorun]  the WinBasic key sequence
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/pending_file.h"
#include "text/utf8.h"

namespace {

using platform::Host;

std::u16string u16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

void print(const std::u16string& line) {
  std::string bytes = text::encodeUtf8(line) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

struct Check {
  const char* name;
  std::function<bool()> passes;
};

// Every file service against a real folder. Names with non-ASCII letters and
// bytes that are not valid UTF-8 must come through unchanged.
std::vector<Check> fileChecks(const std::u16string& folder) {
  using namespace platform;
  const std::u16string file = folder + u"Gr\u00fc\u00dfe.bas";
  const std::u16string other = folder + u"other.txt";
  const std::u16string missing = folder + u"missing.txt";
  const std::string bytes = "one\r\ntwo\xff\xfe\r\n";
  return {
      {"write then read gives the same bytes",
       [=] { return writeFileBytes(file, bytes) && readFileBytes(file) == bytes; }},
      {"size of a file, a missing file and a folder",
       [=] { return fileSize(file) == 12 && fileSize(missing) == -1 && fileSize(folder) == -1; }},
      {"existence of a file, a folder and a missing name",
       [=] { return pathExists(file) && pathExists(folder) && !pathExists(missing); }},
      {"a folder or a missing file cannot be read",
       [=] { return !readFileBytes(folder) && !readFileBytes(missing); }},
      {"a folder is made once and an existing one counts as made",
       [=] { return createFolder(folder + u"X") && createFolder(folder + u"X") && pathExists(folder + u"X"); }},
      {"a folder cannot be made over a file or inside a missing folder",
       [=] { return !createFolder(file) && !createFolder(folder + u"none\\deeper"); }},
      {"rename replaces an existing file",
       [=] {
         return writeFileBytes(other, "old") && writeFileBytes(missing, "new") && renameFile(missing, other) &&
                readFileBytes(other) == "new" && !pathExists(missing);
       }},
      {"remove deletes once",
       [=] { return removeFile(other) && !pathExists(other) && !removeFile(other); }},
      {"a pending file replaces the old content only on commit",
       [=] {
         writeFileBytes(other, "old");
         { PendingFile pending(other); }
         PendingFile pending(other);
         return readFileBytes(other) == "old" && pending.commit("new") && readFileBytes(other) == "new";
       }},
      {"an append file starts empty and is readable while open",
       [=] {
         writeFileBytes(other, "stale content");
         auto log = AppendFile::create(other);
         bool empty = log && readFileBytes(other) == "";
         return empty && log->append("a\r\n") && log->append("b\r\n") && readFileBytes(other) == "a\r\nb\r\n";
       }},
      {"an append file cannot be made in a missing folder",
       [=] { return AppendFile::create(folder + u"none\\log.txt") == nullptr; }},
      {"paths compare without regard to case or separator",
       [] {
         return samePath(u"C:\\Work\\Prog.BAS", u"c:\\work\\prog.bas") && samePath(u"C:/w/p.bas", u"C:\\w\\p.bas") &&
                samePath(u"C:\\\u00c4rger", u"c:\\\u00e4rger") && !samePath(u"C:\\w\\p.bas", u"C:\\w\\q.bas") &&
                !samePath(u"C:\\w\\p.bas", u"C:\\w\\p.bas2");
       }},
      {"native paths are the paths themselves", [] { return nativePath(u"C:\\a/b\\c") == u"C:\\a/b\\c"; }},
  };
}

int runFileChecks(const std::u16string& folder) {
  int passed = 0;
  int failed = 0;
  for (const auto& check : fileChecks(folder)) {
    if (check.passes()) {
      ++passed;
    } else {
      ++failed;
      std::printf("FAILED: %s\n", check.name);
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

int showEnvironment(const std::u16string& folder) {
  bool moved = ::SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str())) != 0;
  print(u"moved: " + std::u16string(moved ? u"yes" : u"no"));
  print(u"current: " + platform::currentFolder());
  print(u"profile: " + platform::userProfileFolder());
  return 0;
}

void pressKey(Host& host, uint16_t key, int wait) {
  host.sendKey(key, platform::kKeyDown);
  host.sleep(wait);
  host.sendKey(key, platform::kKeyUp);
  host.sleep(wait);
}

void typeCharacter(Host& host, char16_t c) {
  int16_t key = host.keyForCharacter(c);
  uint16_t shift = (key >> 8) & 0xFF;
  uint16_t modifier = shift == 1 ? VK_SHIFT : shift == 2 ? VK_CONTROL : shift == 4 ? VK_MENU : 0;
  if (modifier) host.sendKey(modifier, platform::kKeyDown);
  pressKey(host, key & 0xFF, 50);
  if (modifier) host.sendKey(modifier, platform::kKeyUp);
}

void chord(Host& host, uint16_t key) {
  host.sendKey(VK_LCONTROL, platform::kKeyDown);
  host.sleep(100);
  pressKey(host, key, 100);
  host.sendKey(VK_LCONTROL, platform::kKeyUp);
  host.sleep(100);
}

// The key sequence a delivery into WinBasic sends, made of the services alone.
int deliver(const std::u16string& name, const std::u16string& file, bool autorun) {
  auto host = Host::create();
  uintptr_t target = 0;
  for (const auto& window : host->topLevelWindows()) {
    if (window.visible && window.title.starts_with(u"WinBasic")) target = window.id;
  }
  auto text = platform::readFileBytes(file);
  if (!target || !text) return 2;
  host->bringToForeground(target);
  host->sleep(100);
  chord(*host, 'C');
  for (char16_t c : u"CLS\r" + std::u16string(u"AUTOSAVE \"") + name + u"\"\r") {
    if (c == u'\r') pressKey(*host, VK_RETURN, 100);
    else if (c == u'"') typeCharacter(*host, c);
    else pressKey(*host, c, 50);
  }
  if (!host->setClipboardText(text::decodeUtf8(*text))) return 3;
  chord(*host, 'V');
  pressKey(*host, autorun ? VK_F2 : VK_F1, 100);
  return 0;
}

int command(const std::vector<std::u16string>& words) {
  auto host = Host::create();
  const std::u16string& name = words[0];
  size_t count = words.size();
  if (name == u"files" && count == 2) return runFileChecks(words[1]);
  if (name == u"environment" && count == 2) return showEnvironment(words[1]);
  if (name == u"start" && count == 4) return host->startProgram(words[1], words[2], words[3]) ? 0 : 1;
  if (name == u"run" && count == 2) {
    print(host->runAndWait(words[1], std::chrono::seconds(30)) == platform::ChildEnd::succeeded ? u"ran" : u"failed");
    return 0;
  }
  if (name == u"desktop" && count == 1) {
    auto size = host->desktopSize();
    std::printf("%d x %d\n", size.width, size.height);
    return 0;
  }
  if (name == u"notice" && count == 2) {
    host->notice(words[1]);
    return 0;
  }
  if (name == u"message" && count == 3) {
    host->showMessageBox(words[1], words[2], platform::MessageIcon::information);
    return 0;
  }
  if (name == u"deliver" && (count == 3 || count == 4)) return deliver(words[1], words[2], count == 4);
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> words;
  for (int i = 1; i < argc; ++i) words.push_back(u16(argv[i]));
  if (words.empty()) return 64;
  int result = command(words);
  if (result == 64) std::fputs("host_probe: unknown command or wrong arguments\n", stderr);
  return result;
}
