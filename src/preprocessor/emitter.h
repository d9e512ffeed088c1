#pragma once

#include <string>
#include <string_view>

#include "base/run_mode.h"

namespace pre {

struct LineState;
struct Reading;
struct SourceOptions;
struct TargetOptions;

/// Hands finished lines to the output under the comment rules of the run
/// mode: Corvane and PIOCHECK keep comments, Brisko strips them unless
/// #KEEPCOMMENTS is in force, and Brisko records each kept line's source
/// line number in the line map.
class Emitter {
 public:
  /// Lines go to the reading's output, at its conditional level.
  Emitter(Reading& reading, LineState& line, const SourceOptions& options, const TargetOptions& target,
          base::RunMode mode)
      : reading_(reading),
        line_(line),
        options_(options),
        target_(target),
        mode_(mode) {}

  /// One line ended by CR LF. Dropped while the conditional level is off.
  void emitLine(std::u16string_view line);

  /// Emits every CR LF-ended line of lineBuffer; a rest without a line end
  /// stays in lineBuffer.
  void flushLineBuffer();

  /// Appends text that bypasses the comment rules, recording one line-map
  /// entry (Brisko mode) for each of its lines.
  void appendDirect(std::u16string_view lines);

  /// Empties the output and the line map, then puts the kept target line
  /// back at the head of the output (mapped to the line it was met on).
  void restartOutput();

 private:
  void emitKeepingComments(std::u16string_view line, std::u16string_view trimmed);
  void emitStrippingComments(std::u16string_view line, std::u16string_view trimmed);
  void append(std::u16string_view line, int entries);
  // Appends the three pieces as one line and records its map entries.
  void appendPieces(std::u16string_view before, std::u16string_view line, std::u16string_view after,
                    int entries);

  Reading& reading_;
  LineState& line_;
  const SourceOptions& options_;
  const TargetOptions& target_;
  base::RunMode mode_;
};

}  // namespace pre
