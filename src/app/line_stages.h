#pragma once

#include <string_view>

namespace app {

struct Run;

// What each stage of a main-source line does, for the table of stages in
// line_order.cpp. A handler acts on the line in lineBuffer and returns
// whether what its row says happens next follows; a stage whose line simply
// goes on returns true.

/// What the line holds on its way through the stages.
enum class Held {
  sourceLine,
  /// A source line that no directive stage can act on; it has no line end of
  /// its own, so it is emitted at once.
  plainLine,
  /// Inserted program text (a code module, a generated file, a PIO block's
  /// generated commands), which the later directive stages leave alone.
  programText,
};

/// The PIO assembler's directives: its options, and a block's start and end.
inline constexpr std::u16string_view kPasmCfgKeyword = u"#PASMCFG";
inline constexpr std::u16string_view kPioStartKeyword = u"#PIOSTART";
inline constexpr std::u16string_view kPioEndKeyword = u"#PIOEND";
inline constexpr std::u16string_view kPioKeywords[] = {kPasmCfgKeyword, kPioStartKeyword, kPioEndKeyword};

/// #ENDCODE: nothing to do but stop.
bool stopAtEndCode(Run& run, Held held);
/// #CODEBASE names the code-base folder.
bool codeBaseFolder(Run& run, Held held);
/// #CODEMODULE: true when the line became the module's text.
bool codeModule(Run& run, Held held);
/// The option directives (#DEBUG, #WINDELAY, ...).
bool sourceOptions(Run& run, Held held);
/// #PASMCFG, #PIOSTART, #PIOEND: true when the line now holds a block's
/// generated text, which only the second reading makes.
bool pioDirectives(Run& run, Held held);
/// #REPLACE anywhere in the line: true when the line is used up.
bool replacePair(Run& run, Held held);
/// "/*" opens a block comment (outside a PIO block).
bool blockCommentStart(Run& run, Held held);
/// #INCLUDE and #SPTEST.
bool includeFile(Run& run, Held held);
/// The array block directives and the lines of an open block: true when the
/// line became the generated file (#ARRAYINCLUDE).
bool arrayBlock(Run& run, Held held);
/// A target line, at a conditional level that is on.
bool targetLine(Run& run, Held held);
/// #DEFINE, #IFDEF, #IFNDEF, #ELSE, #ENDIF of the main source.
bool conditional(Run& run, Held held);
/// The target options: true for the first #ESP_CLIPBOARD, after which the
/// reading starts again.
bool targetOptions(Run& run, Held held);
/// The library directives: true when the line was one (it is used up).
bool libraryDirective(Run& run, Held held);
/// A line inside a block comment is commented and emitted.
bool blockCommentLine(Run& run, Held held);
/// The library filter: true when it takes the line (collects or drops it).
bool libraryFilter(Run& run, Held held);
/// A line inside a PIO block goes to the assembler.
bool pioBlockLine(Run& run, Held held);
/// What is left is program text for the output.
bool programLine(Run& run, Held held);

/// The states in which a stage takes every line: an open array block, block
/// comment or PIO block.
bool inArrayBlock(const Run& run);
bool inBlockComment(const Run& run);
bool inPioBlock(const Run& run);

}  // namespace app
