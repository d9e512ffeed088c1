#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/run_mode.h"
#include "pio/line_result.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"

namespace base {
class Logs;
}

namespace pio {

class PioFile;
class PioFileReader;
struct IncludeRequest;

/// The PIO side of the read loop: owns the assembler state and options and
/// turns each block of the second reading into its generated MMBasic text.
/// The caller matches the directive keywords and conditional levels.
class PioBlocks {
 public:
  /// files reads the .pio files ".include" lines name; without it every
  /// such line is an error.
  explicit PioBlocks(base::Logs& logs, PioFileReader* files = nullptr);

  /// A "#PASMCFG" line: switches on its option words for the rest of the run.
  void readOptions(std::u16string_view lineBuffer);
  /// The chip of every block that names none, unless a "#PASMCFG" line
  /// names another.
  void setDefaultChip(Chip chip);

  /// The source is read again from its first line: block, state machine,
  /// program counters, origins and the block number start again from 0.
  void restartReading();

  /// A "#PIOSTART" line. Decode mode ends; in the second reading the block's
  /// texts, pins and the register images of every state machine start
  /// afresh too: each block is one program.
  void startBlock(Reading reading);

  /// A "#PIOEND" line. In the second reading a state machine the block gave
  /// instructions without ".wrap" or ".wrap_target" wraps after its last one
  /// or to its first; returns the summary, CR LF and the generated block text
  /// (also written to the report in PIOCHECK mode unless decoding). In the
  /// first reading returns empty text.
  std::u16string endBlock(Reading reading, base::RunMode mode);

  /// True between a "#PIOSTART" line and the next "#PIOEND" line.
  bool inBlock() const { return position_.inBlock; }

  /// A block line of the first reading at an active level.
  void firstPassLine(std::u16string_view line);

  /// A block line of the second reading at an active level: assembles it,
  /// echoes it to the report in PIOCHECK mode and adds it to the listing.
  /// place says where the line stands, for the errors it gives. An
  /// ".include" line reads its program's lines in its place.
  void secondPassLine(std::u16string_view line, bool pioCheckMode, LinePlace place = {});

  /// Reads program of file in place of an ".include" line of the block, in
  /// the given reading; other programs of the file are not looked at.
  void includeProgram(Reading reading, const std::shared_ptr<const PioFile>& file, size_t program,
                      bool pioCheckMode);

  /// Errors reported so far in the run.
  int errorCount() const { return pio_.symbols.errorCount; }
  /// The same errors, each with the file and line it belongs to.
  const std::vector<PioDiagnostic>& diagnostics() const { return pio_.symbols.diagnostics; }

 private:
  /// Where the reading stands; a block start or end and a new reading each
  /// assign a fresh value.
  struct Position {
    bool inBlock = false;
    /// Within a C-style comment ("/*" ... "*/") of the block.
    bool inCComment = false;
    /// Within a "% lang {" ... "%}" block, which holds code for other tools.
    bool inCodeBlock = false;
  };

  /// A .pio file as the first ".include" of it read it: the file, or the
  /// path looked for when it could not be read.
  struct LoadedFile {
    std::u16string path;
    std::shared_ptr<const PioFile> file;
    /// The rest of the file was checked and its errors reported: its other
    /// programs, or, in a file without any, its refused lines.
    bool othersChecked = false;
    /// The programs some ".include" of the run names, as the first reading
    /// found them: each reports its own errors where it is included.
    std::unordered_set<size_t> included;
  };

  PioContext context() { return {pio_, options_, logs_}; }

  /// The line as the passes see it: C-style comments blanked; nullopt for a
  /// line of (or opening or closing) a "% lang {" block.
  std::optional<std::u16string> codeOf(std::u16string_view line);
  LoadedFile& load(const std::u16string& name);
  void includeLine(Reading reading, std::u16string_view line, const IncludeRequest& request,
                   bool pioCheckMode);
  void reportOtherPrograms(LoadedFile& loaded, size_t included);
  void reportLinesOfFileWithoutProgram(LoadedFile& loaded);
  void listLine(std::u16string_view line, LineResult result, const std::u16string& label,
                bool pioCheckMode);

  base::Logs& logs_;
  PioFileReader* files_;
  PioAssembler pio_;
  PasmOptions options_;
  Position position_;
  std::unordered_map<std::u16string, LoadedFile> loaded_;
};

/// The errors a program of a .pio file gives assembled alone, in a block of
/// its own for chip (unless the program asks for another); the lines before
/// the file's first program included.
std::vector<PioDiagnostic> errorsOfProgram(const std::shared_ptr<const PioFile>& file,
                                           size_t program, Chip chip);

}  // namespace pio
