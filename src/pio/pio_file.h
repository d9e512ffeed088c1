#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pio/pioasm_reader.h"

// A .pio file read whole with the reference assembler's rules: its lines, its
// programs and the names each program sees. What the file's structure
// refuses (a name given twice, a directive after the instructions, ...) is
// noted at its line, to be reported where the line is assembled.

namespace pio {

/// What a name of a .pio file stands for.
struct PioFileSymbol {
  bool label = false;
  /// A label's place: its instruction's index in the program.
  int32_t index = 0;
  /// A define's expression text.
  std::u16string expression;
};

using PioFileSymbols = std::unordered_map<std::u16string, PioFileSymbol>;

/// One line of the file.
struct PioFileLine {
  /// The line as written, without its line end.
  std::u16string_view text;
  /// Its number in the file, from 1.
  int32_t number = 0;
  PioasmLine read;
  /// Why the line is refused (the grammar's reason or the file's), and the
  /// text at fault; empty when it is not.
  std::u16string error;
  std::u16string errorDetail;
  /// The line is an instruction of a program: it takes a slot, refused or not.
  bool takesSlot = false;
};

/// One ".program" and the lines up to the next.
struct PioFileProgram {
  std::u16string name;
  /// The ".program" line and one past the program's last line.
  size_t firstLine = 0;
  size_t endLine = 0;
  /// Instructions, ".word" included.
  int32_t size = 0;
  /// The program's ".origin" line, if it has one.
  std::optional<size_t> originLine;
  /// It asks for PIO version 1 (the RP2350's), itself or by the file's default.
  bool versionOne = false;
  /// Its labels and defines, by name as spelled.
  PioFileSymbols symbols;
};

class PioFile {
 public:
  /// Reads the file's text; path names it in messages.
  PioFile(std::u16string path, std::u16string_view text);
  PioFile(const PioFile&) = delete;
  PioFile& operator=(const PioFile&) = delete;

  const std::u16string& path() const { return path_; }
  const std::vector<PioFileLine>& lines() const { return lines_; }
  const std::vector<PioFileProgram>& programs() const { return programs_; }
  /// The lines before the first ".program": defines every program sees.
  size_t globalEnd() const { return programs_.empty() ? lines_.size() : programs_[0].firstLine; }

  /// The program called name; one whose name differs only in case when no
  /// name is exact and just one does.
  std::optional<size_t> findProgram(std::u16string_view name) const;

  /// The value of an expression in program's scope (its names, then the
  /// file's): labels give their index in the program. nullopt when a name
  /// has no value (undefined, or defined through itself) or the expression
  /// cannot be worked out; missing then gets the name at fault, if one was.
  std::optional<int32_t> evaluate(size_t program, std::u16string_view expression,
                                  std::u16string* missing = nullptr) const;

 private:
  class Builder;
  std::optional<int32_t> nameValue(size_t program, std::u16string_view name, int depth,
                                   std::u16string* missing) const;
  std::optional<int32_t> evaluateAt(size_t program, std::u16string_view expression, int depth,
                                    std::u16string* missing) const;

  std::u16string path_;
  std::u16string text_;
  std::vector<PioFileLine> lines_;
  std::vector<PioFileProgram> programs_;
  PioFileSymbols globals_;
};

}  // namespace pio
