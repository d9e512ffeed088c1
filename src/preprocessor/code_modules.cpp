#include "preprocessor/code_modules.h"

#include "base/fatal_error.h"
#include "platform/files.h"
#include "preprocessor/directive_line.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace pre {
namespace {

constexpr std::u16string_view kModuleHeader = u"'#MODULE ";
constexpr std::u16string_view kModuleEnd = u"'#MODULEEND";

constexpr std::u16string_view kCannotOpen = u"Error Unable To open CodeBase file ";
constexpr std::u16string_view kHeaderInsideModule = u"Error No '#MODULEEND for module ";
constexpr std::u16string_view kEndMissing = u"Error Unable to find '#MODULEEND for module ";
constexpr std::u16string_view kModuleMissing = u"Error Unable to find  '#MODULE ";

// The module messages name the module on one line and the file on the next.
[[noreturn]] void failForModule(std::u16string_view message, const std::u16string& name,
                                const std::u16string& path) {
  base::fail(std::u16string(message) + name + text::kCrLf + u"in " + path +
           text::kCrLf);
}

// Copies every module whose header names the module. Header and end lines
// are copied twice and the end lines of other modules once; all are comment
// lines, which the comment rules of the run mode keep or drop.
std::u16string moduleText(const std::vector<std::u16string>& lines, const std::u16string& name,
                          const std::u16string& path) {
  // A blank after the line lets a name at its very end count as a word.
  const std::u16string nameWord = name + u" ";
  std::u16string result;
  bool inModule = false;
  bool found = false;
  for (const auto& line : lines) {
    const std::u16string padded = line + u" ";
    const bool header = text::containsNoCase(padded, kModuleHeader);
    if (inModule && header) failForModule(kHeaderInsideModule, name, path);
    if (header && text::containsNoCase(padded, nameWord)) {
      inModule = true;
      found = true;
      result += line + text::kCrLf;
    }
    if (inModule) result += line + text::kCrLf;
    if (text::containsNoCase(line, kModuleEnd)) {
      inModule = false;
      result += line + text::kCrLf;
    }
  }
  if (inModule) failForModule(kEndMissing, name, path);
  if (!found) failForModule(kModuleMissing, name, path);
  return result;
}

}  // namespace

const std::vector<std::u16string>* CodeBaseFiles::lines(const std::u16string& path) {
  for (const auto& file : files_) {
    if (platform::samePath(file.path, path)) return &file.lines;
  }
  auto bytes = platform::readFileBytes(path);
  if (!bytes) return nullptr;
  files_.push_back(OpenFile{path, text::splitLines(text::decodeUtf8(*bytes))});
  return &files_.back().lines;
}

bool handleCodeBaseLine(std::u16string& lineBuffer, std::u16string& codeBase) {
  if (!text::isDirective(lineBuffer, kCodeBaseKeywords)) return false;
  // Not normalised: two blanks after the keyword leave the folder empty.
  codeBase = text::trimBlanks(text::field(text::trimLeadingBlanks(lineBuffer), 2));
  commentInPlace(lineBuffer);
  return true;
}

bool handleCodeModuleLine(std::u16string& lineBuffer, const std::u16string& codeBase,
                          CodeBaseFiles& files) {
  if (!text::isDirective(lineBuffer, kCodeModuleKeywords)) return false;
  const std::u16string workLine = text::normaliseBlanks(lineBuffer);
  const std::u16string name(text::field(workLine, 3));
  const std::u16string path = codeBase + std::u16string(text::field(workLine, 2));
  const std::vector<std::u16string>* lines = files.lines(path);
  if (!lines) base::fail(std::u16string(kCannotOpen) + text::kCrLf + path);
  lineBuffer = u"' Start '#MODULE" + text::upper(name) + text::kCrLf +
               moduleText(*lines, name, path) + u"' Insert end" + text::kCrLf;
  return true;
}

}  // namespace pre
