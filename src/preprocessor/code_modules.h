#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace pre {

/// The code-base files opened during the run. Each is opened once, on first
/// use, and kept for the rest of the run; paths compare as the platform's
/// file system compares names.
class CodeBaseFiles {
 public:
  /// The lines of the file, or nullptr when it cannot be opened.
  const std::vector<std::u16string>* lines(const std::u16string& path);

 private:
  struct OpenFile {
    std::u16string path;
    std::vector<std::u16string> lines;
  };
  // A deque, so the lines handed out stay where they are as files are added.
  std::deque<OpenFile> files_;
};

/// #ENDCODE: reading stops, and this and every later line are ignored.
inline constexpr std::u16string_view kEndCodeKeywords[] = {u"#ENDCODE"};
inline constexpr std::u16string_view kCodeBaseKeywords[] = {u"#CODEBASE"};
inline constexpr std::u16string_view kCodeModuleKeywords[] = {u"#CODEMODULE"};

/// A #CODEBASE line: the folder named after the keyword becomes the code base
/// and the line is commented where it stands. Returns whether it was one.
bool handleCodeBaseLine(std::u16string& lineBuffer, std::u16string& codeBase);

/// A #CODEMODULE line (file, module name): lineBuffer becomes the module's
/// text, framed by start and end comment lines, each line ended by CR LF. A
/// missing file or module, or a module without its end line, stops the run.
/// Returns whether it was one.
bool handleCodeModuleLine(std::u16string& lineBuffer, const std::u16string& codeBase,
                          CodeBaseFiles& files);

}  // namespace pre
