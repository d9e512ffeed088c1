#pragma once

#include <string>
#include <string_view>

namespace app {
struct RunState;
}

namespace pre {

class Conditionals;
class LineMap;

/// Hands finished lines to the output under the comment rules of the run
/// mode: Corvane and PIOCHECK keep comments, Brisko strips them unless
/// #KEEPCOMMENTS is in force, and Brisko records each kept line's source
/// line number in the line map.
class Emitter {
 public:
  Emitter(app::RunState& state, const Conditionals& conditionals, LineMap& lineMap)
      : state_(state), conditionals_(conditionals), lineMap_(lineMap) {}

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
  void emitCorvane(std::u16string_view line, std::u16string_view trimmed);
  void emitKeepingComments(std::u16string_view line, std::u16string_view trimmed);
  void emitStrippingComments(std::u16string_view line, std::u16string_view trimmed);
  void append(std::u16string_view line, int entries);

  app::RunState& state_;
  const Conditionals& conditionals_;
  LineMap& lineMap_;
};

}  // namespace pre
