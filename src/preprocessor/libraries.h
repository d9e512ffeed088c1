#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace base {
class Logs;
}

namespace pre {

class Emitter;
struct Reading;
class SourceGuard;

/// The kinds of library section, and of library load: a load takes the lines
/// of the sections of its own kind. The numbers are those the run log shows.
enum class LibraryKind : uint8_t {
  none = 0,
  /// #LIBRARYSTART, #LIBRARYLOAD
  plain = 1,
  /// #LIBRARYSTART1, #LIBRARYLOAD1
  one = 2,
  /// #LIBRARYSTART2, #LIBRARYLOAD2
  two = 3,
};

/// What a library directive does.
enum class LibraryAction : uint8_t { load, start, end };

/// One library directive: its keyword, what it does with which kind, whether
/// the run log notes it, and whether a header file acts on it too.
struct LibraryDirective {
  std::u16string_view keyword;
  LibraryAction action;
  LibraryKind kind;
  bool logged;
  bool inHeaderFile;
};

/// The library directives in the order they are tested, a longer keyword
/// before its prefix; the first that matches counts.
inline constexpr LibraryDirective kLibraryDirectives[] = {
    // keyword           action                 kind               logged  in a header file
    {u"#LIBRARYLOAD2",  LibraryAction::load,   LibraryKind::two,   false,  false},
    {u"#LIBRARYLOAD1",  LibraryAction::load,   LibraryKind::one,   true,   true},
    {u"#LIBRARYLOAD",   LibraryAction::load,   LibraryKind::plain, false,  true},
    {u"#LIBRARYSTART2", LibraryAction::start,  LibraryKind::two,   false,  false},
    {u"#LIBRARYSTART1", LibraryAction::start,  LibraryKind::one,   true,   true},
    {u"#LIBRARYSTART",  LibraryAction::start,  LibraryKind::plain, false,  false},
    {u"#LIBRARYEND",    LibraryAction::end,    LibraryKind::none,  false,  false},
};

/// The keywords of the library directives, in the same order.
inline constexpr auto kLibraryKeywords = [] {
  std::array<std::u16string_view, std::size(kLibraryDirectives)> keywords{};
  for (size_t i = 0; i < keywords.size(); ++i) keywords[i] = kLibraryDirectives[i].keyword;
  return keywords;
}();

/// Library loads for the whole run. Without a load, sections are left out of
/// the program; a load makes the output the matching sections only, and
/// #LIBRARYLOAD with a name also saves the plain section as a ".lib" file.
/// (The section the lines are in belongs to the reading.)
struct LibraryState {
  LibraryKind libraryLoad = LibraryKind::none;
  bool libraryPending = false;
  bool libraryStartSeen = false;
  std::u16string libraryFileName;
  std::u16string libraryText;
};

/// The library directives of the main source. Inside a block comment they do
/// nothing (but the first #LIBRARYSTART of the run is still noted). A ".lib"
/// file that would replace the source stops the run. Returns whether the
/// line was one; such a line never reaches the output.
bool handleLibraryDirective(LibraryState& library, Reading& reading, std::u16string& lineBuffer,
                            Emitter& emitter, base::Logs& logs, const SourceGuard& guard);

/// The library directives a header file may hold (#LIBRARYLOAD, which there
/// empties the output, #LIBRARYLOAD1 and #LIBRARYSTART1). Outside a block
/// comment they act at once; the line travels on as it stands.
void handleHeaderLibraryDirective(LibraryState& library, Reading& reading, const std::u16string& line,
                                  Emitter& emitter, base::Logs& logs);

/// The filter for every other line outside a block comment: under a load,
/// lines of the matching section are collected into the output and the
/// library text and the rest dropped; without a load, lines inside a section
/// are dropped unless #LIBRARYIGNORE made the plain section ordinary code.
/// Returns whether the line goes on as a program line.
bool passesLibraryFilter(LibraryState& library, LibraryKind section, const std::u16string& lineBuffer,
                         bool libraryIgnore, Emitter& emitter);

/// Whether an #INCLUDE met now is read: only where its lines could reach the
/// output under the filter above.
bool includeAllowed(const LibraryState& library, LibraryKind section, bool libraryIgnore);

/// Whether a line of the header file may reach the output: outside any
/// section, or in a first numbered section under its own load.
bool headerLineAllowed(const LibraryState& library, LibraryKind section);

}  // namespace pre
