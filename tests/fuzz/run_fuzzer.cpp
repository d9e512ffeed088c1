// A whole run from source bytes: the first byte picks the mode, the rest is
// the source. The run goes through the recording desktop in a workspace of
// its own, so windows, programs, keystrokes and the clipboard only record.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/main.h"
#include "testing/recording_host.h"
#include "text/utf8.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A source folder, a host folder with its data folder and target programs,
// and the folder the runs start in (where library files are written).
struct Workspace {
  Workspace() : root(fs::temp_directory_path() / ("prexle-fuzz-" + std::to_string(::getpid()))) {
    fs::create_directories(root / "src");
    fs::create_directories(root / "host/DATA");
    writeFile(root / "host/portable.inf", "");
    for (const char* target : {"Corvane.exe", "Brisko.exe"}) writeFile(root / "host" / target, std::string(128, '#'));
    fs::current_path(root);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
};

// A library file name is a path of its own; one that leads out of the
// workspace would let the fuzzer write anywhere.
bool namesAPathOutside(std::string_view source) {
  size_t lineStart = 0;
  while (lineStart < source.size()) {
    size_t lineEnd = source.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = source.size();
    std::string line(source.substr(lineStart, lineEnd - lineStart));
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (line.find("libraryload") != std::string::npos && line.find_first_of("/\\:") != std::string::npos) {
      return true;
    }
    lineStart = lineEnd + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Workspace workspace;
  if (size == 0) return 0;
  const std::string_view source(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (namesAPathOutside(source)) return -1;
  static constexpr const char16_t* kModes[] = {u"Brisko", u"Corvane", u"PIOCHECK"};
  writeFile(workspace.root / "src/prog.bas", source);
  testing_support::RecordingHost host;
  app::runOnDesktop({text::u16((workspace.root / "src/prog.bas").string()),
                     text::u16((workspace.root / "host").string() + "/"), kModes[data[0] % 3]},
                    host);
  return 0;
}
