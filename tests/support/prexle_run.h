#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace testing_support {

/// What one run of the tool left behind.
struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

/// Runs the built tool with the given parameters in the given folder, stdin
/// empty, and waits for it. A shell line given as setup runs first, in the
/// same process (e.g. "ulimit -f 1"), and then becomes the tool.
RunResult runPrexle(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                    const std::string& setup = {});

/// A source folder "src" and a host folder "host" (with "portable.inf", a
/// "DATA" folder and stand-in target programs that record the path they are
/// handed in "host/handed-Corvane.txt" or "host/handed-Brisko.txt").
class Workspace {
 public:
  Workspace();

  const TempFolder& root() const { return root_; }
  std::string sourcePath(const std::string& name = "prog.bas") const;
  std::string hostFolder() const;

  void writeSource(const std::string& bytes, const std::string& name = "prog.bas") const;
  /// Runs the tool on src/prog.bas in the given mode; the folder the tool
  /// starts in is the workspace root.
  RunResult run(const std::string& mode, const std::string& name = "prog.bas") const;
  /// The path handed to a target program, once it has been started.
  std::string handedPath(const std::string& target) const;
  std::string data(const std::string& name) const { return root_.read("host/DATA/" + name); }

 private:
  TempFolder root_;
};

/// Puts a stand-in clipboard program ("xclip") first on PATH while it lives.
/// By default it keeps what it is given, for text() to return.
class FakeClipboard {
 public:
  explicit FakeClipboard(const Workspace& ws,
                         const std::string& script = "cat > \"$(dirname \"$0\")/clipboard.txt\"");
  ~FakeClipboard();
  std::string text() const;

 private:
  const Workspace& ws_;
  std::string saved_;
};

/// The fatal-error window as the console build shows it on stderr, around a
/// message whose lines end with LF.
std::string fatalWindow(const std::string& message);

/// The line map as numbers, for readable comparisons.
std::vector<int32_t> lineMapEntries(const std::string& bytes);

}  // namespace testing_support
