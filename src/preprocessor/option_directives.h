#pragma once

#include <string>
#include <string_view>

namespace base {
class Logs;
}

namespace pre {

/// The pause between keystrokes typed into WinBasic, in milliseconds, when
/// the source sets none (or none that can be used).
inline constexpr int kDefaultWinDelay = 50;

/// Options the source sets with directives; never reset during a run.
struct SourceOptions {
  /// Milliseconds between keystrokes typed into WinBasic.
  int winDelay = kDefaultWinDelay;
  /// Brisko mode keeps comments.
  bool keepComments = false;
  /// Include lines are passed on, marked, instead of expanded.
  bool passIncludes = false;
  /// A plain library section counts as ordinary code.
  bool libraryIgnore = false;
};

/// The option directives, in the order they are tested.
inline constexpr std::u16string_view kDebugKeyword = u"#DEBUG";
inline constexpr std::u16string_view kWinDelayKeyword = u"#WINDELAY";
inline constexpr std::u16string_view kKeepCommentsKeyword = u"#KEEPCOMMENTS";
inline constexpr std::u16string_view kPassIncludesKeyword = u"#PASSINCLUDES";
inline constexpr std::u16string_view kLibraryIgnoreKeyword = u"#LIBRARYIGNORE";
inline constexpr std::u16string_view kOptionKeywords[] = {
    kDebugKeyword, kWinDelayKeyword, kKeepCommentsKeyword, kPassIncludesKeyword, kLibraryIgnoreKeyword};

/// The option directives: each sets its option and travels on as a comment
/// line. They act at any conditional level and inside block comments.
void handleOptionDirectives(std::u16string& lineBuffer, SourceOptions& options, base::Logs& logs);

/// #DEBUG: starts the run log. Returns whether the line was one.
bool handleDebugLine(std::u16string& lineBuffer, base::Logs& logs);

/// #LIBRARYIGNORE: plain library sections become ordinary code. Returns
/// whether the line was one.
bool handleLibraryIgnoreLine(std::u16string& lineBuffer, SourceOptions& options);

}  // namespace pre
