#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pio/guidance.h"
#include "pio/line_words.h"
#include "pio/pio_assembler.h"

namespace base {
class Logs;
}

namespace pio {

/// Writes a line to the PIO report ahead of its error; named puts the file
/// and line it came from in front ("path:12: line"), as for a .pio file.
void echoForReport(base::Logs& logs, const LinePlace& place, std::u16string_view line, bool named);

/// One PIO line being applied: its words with a cursor over them, and error
/// reporting that echoes the line as read and marks it as failed. In the
/// first reading nothing is reported.
class PioLine {
 public:
  /// original: the line as read, echoed with every report; rest: the line
  /// after any label, comment attached; words: the words of rest's code.
  PioLine(PioContext& ctx, Reading reading, std::u16string_view original,
          std::u16string_view rest, std::vector<Word> words, Dialect dialect = Dialect::block);

  PioContext& ctx;
  PioAssembler& pio;

  bool firstReading() const { return reading_ == Reading::first; }
  /// The line comes from a .pio file and is read by its rules: its words
  /// stand exactly where the grammar puts them, groups are values, never
  /// notes, and names are the file's.
  bool fileRules() const { return dialect_ == Dialect::pioFile; }
  /// The program of the .pio file the line belongs to; only with fileRules.
  const IncludedProgram& program() const { return *pio.block.including; }
  /// The line as read.
  std::u16string_view original() const { return original_; }
  /// The line after any label, comment attached.
  std::u16string_view rest() const { return rest_; }
  const std::vector<Word>& words() const { return words_; }

  /// True when every word has been taken.
  bool atEnd() const { return cursor_ >= words_.size(); }
  /// The next word as written, or nullptr at the end.
  const Word* peekWord() const { return atEnd() ? nullptr : &words_[cursor_]; }
  /// Moves past the next word.
  void skipWord() { ++cursor_; }

  /// The first word, naming the instruction or directive: groups before it
  /// are passed over. Empty when the line holds nothing else.
  std::u16string mnemonic();
  /// The next word where a keyword stands: groups before it are notes and
  /// are passed over; a define whose value is one word gives that word.
  /// Empty at the end.
  std::u16string keyword();
  /// What keyword() would return, without moving on.
  std::u16string peekKeyword() const;
  /// The word where a number stands. A group is passed over as a note when
  /// the word after it can be the value; empty text at the end of the line.
  Word valueWord();
  /// The words not yet taken, joined by one blank.
  std::u16string restText() const;

  /// Writes a line to the PIO report (not in the first reading).
  void report(std::u16string_view text);
  /// Echoes the line, reports the error and marks the line as failed.
  void fail(ErrorKind kind, std::u16string_view message, std::u16string_view detail);
  /// Echoes the line and reports, but the line still gives its word.
  void warn(ErrorKind kind, std::u16string_view message, std::u16string_view detail,
            ReportMode mode);
  /// Whether the block, or the .pio program being read, runs PIO version 1
  /// (the RP2350's), whose forms then assemble.
  bool versionOne() const { return pio.block.versionOne; }
  /// The chip the block is for; in the first reading as far as it is known
  /// yet (a ".chip" line or "#PASMCFG" option before this line).
  Chip chip() const;
  /// For a form only PIO version 1 has: true when the line may use it; else
  /// fails the line (the form, then kNeedsVersionOne, naming the word).
  bool needVersionOne(std::u16string_view form, std::u16string_view word);
  bool failed() const { return failed_; }

 private:
  size_t nextKeywordIndex() const;

  Reading reading_;
  Dialect dialect_;
  std::u16string_view original_;
  std::u16string_view rest_;
  std::vector<Word> words_;
  size_t cursor_ = 0;
  bool failed_ = false;
};

}  // namespace pio
