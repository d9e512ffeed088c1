#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pre {

struct LineState;

/// Where the source says its result is meant to run, and how the result is
/// to be delivered. Collected over the whole run, never cleared.
struct TargetOptions {
  /// The last target line met, left-trimmed, with CR LF; it survives every
  /// emptying of the output, at the head of the new output.
  std::u16string targetLine;
  /// The source line it was met on, for its line-map entry.
  int32_t targetLineNumber = 0;
  /// A target line named WinBasic: a Brisko run types its result into it.
  bool winBasicTarget = false;
  /// The WinBasic delivery ends with the key F2, which runs the program, not F1.
  bool autoRunTarget = false;
  /// #ESP_CLIPBOARD: lines are read left-trimmed and #REPLACE lines kept.
  bool espOption = false;
  /// The result also goes to the clipboard at the end of the run.
  bool clipboardMode = false;
  bool piAutoRun = false;
  bool piAutoSave = false;
  std::u16string saveName = u"PROG1.BAS";
};

/// What marks a target line, found anywhere in it.
inline constexpr std::u16string_view kTargetLineMarks[] = {u"'target "};

/// A target line: a comment holding "'target " (not "''target ") names where
/// the program is meant to run. The line is kept (left-trimmed, mapped twice,
/// to the given source line) and " winbasic\" and " autorun" anywhere in it
/// set their flags for the rest of the run. The caller checks the
/// conditional level. Returns whether the line was one.
bool handleTargetLine(LineState& line, int32_t sourceLineNumber, TargetOptions& target);

/// The target option directives, in the order they are tested.
inline constexpr std::u16string_view kEspKeepCommentsKeyword = u"#ESP_KEEPCOMMENTS";
inline constexpr std::u16string_view kEspClipboardKeyword = u"#ESP_CLIPBOARD";
inline constexpr std::u16string_view kPiClipboardKeyword = u"#PI_CLIPBOARD";
inline constexpr std::u16string_view kPiAutoRunKeyword = u"#PI_AUTORUN";
inline constexpr std::u16string_view kPiAutoSaveKeyword = u"#PI_AUTOSAVE";
inline constexpr std::u16string_view kTargetOptionKeywords[] = {
    kEspKeepCommentsKeyword, kEspClipboardKeyword, kPiClipboardKeyword, kPiAutoRunKeyword, kPiAutoSaveKeyword};

/// The target option directives. Returns true for the first #ESP_CLIPBOARD
/// of the run: the reading must then start again from the first line.
bool handleTargetOptions(std::u16string& lineBuffer, TargetOptions& target);

}  // namespace pre
