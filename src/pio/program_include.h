#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// ".include "FILE.pio" [NAME]" in a block: which program of which file, and
// how it starts in the block's state machine.

namespace pio {

class PioFile;
struct PioAssembler;

/// Reads the .pio files that ".include" lines name; the caller's, since this
/// layer reads no files itself.
class PioFileReader {
 public:
  virtual ~PioFileReader() = default;
  /// The text of the file called name (as written, quotes removed), found
  /// where #INCLUDE finds its files; nullopt when it cannot be read. path gets
  /// the file as found or looked for, to name it in messages.
  virtual std::optional<std::u16string> read(std::u16string_view name, std::u16string& path) = 0;
};

/// What an ".include" line asks for. An empty file: the line is ill-formed.
struct IncludeRequest {
  std::u16string file;
  std::u16string program;
};

/// The request of a line (C-style comments blanked) whose first word is
/// ".include", in any case; nullopt for every other line. The file is
/// written in double quotes, or as one word; a comment may follow.
std::optional<IncludeRequest> includeRequestOf(std::u16string_view code);

/// The program called name in the file (with no name, its only one), or
/// nullopt with message and detail saying why there is none.
std::optional<size_t> chooseProgram(const PioFile& file, std::u16string_view name,
                                    std::u16string& message, std::u16string& detail);

/// The address the program's own ".origin" gives, when it gives one the
/// instruction memory has.
std::optional<int32_t> programOrigin(const PioFile& file, size_t program);

/// Starts the program's lines in the current state machine. It is placed at
/// its own ".origin", else at the next free slot. The fields its
/// configuration decides, which the block's own lines have not set, take the
/// values the SDK's default configuration gives (wrap around the program,
/// shifting right at 32 bits, no side-set, no SET or OUT pins, the full
/// clock); its directives then change them.
void beginIncludedProgram(PioAssembler& pio, const PioFile& file, size_t program);

}  // namespace pio
