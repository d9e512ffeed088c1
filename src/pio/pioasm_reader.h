#pragma once

#include <string>
#include <string_view>

#include "pio/pioasm_lexer.h"
#include "pio/source_line.h"

// Lines of a .pio file read with the reference assembler's grammar. A line it
// accepts becomes the words the shared directives and encoder take, written
// out plainly: keywords exact, every value and expression a group "(...)",
// a delay "[(...)]", a mov operator a word of its own.

namespace pio {

/// What a line of a .pio file is.
enum class PioasmLineKind {
  /// Nothing but blanks, comments or other tools' code.
  empty,
  /// ".program NAME".
  program,
  /// ".define [public] NAME expression".
  define,
  /// A directive other than those two.
  directive,
  /// An instruction or ".word" (possibly after a label): it takes a slot.
  instruction,
  /// A label alone.
  label,
};

/// One line read.
struct PioasmLine {
  PioasmLineKind kind = PioasmLineKind::empty;
  /// The label and the words for the shared parser.
  SourceLine source;
  /// The program's or define's name, or the label's, as spelled.
  std::u16string name;
  /// The label's name when the line has one besides its instruction.
  std::u16string labelName;
  /// A define's expression text.
  std::u16string expression;
  /// The directive, or the mnemonic of an instruction (".word" included).
  std::u16string keyword;
  /// The instruction gives a side-set value.
  bool hasSide = false;
  /// Why the grammar refuses the line (empty when it accepts it), and the
  /// text at fault.
  std::u16string error;
  std::u16string errorDetail;
};

/// Reads one line of a .pio file; the state carries comments and "% lang {"
/// blocks from line to line. The views of the result point into line.
PioasmLine readPioasmLine(std::u16string_view line, LexState& state);

}  // namespace pio
