#pragma once

#include <string>
#include <string_view>

#include "pio/pio_assembler.h"

namespace pio {

/// One line in the second pass: its words (normalised, defines substituted),
/// the word cursor over them, and error reporting that echoes the line as
/// read and marks the line as failed.
class PioLine {
 public:
  /// original: the line as read; body: the line after any label, tabs as
  /// blanks, comment attached.
  PioLine(PioContext& ctx, std::u16string_view original, std::u16string_view body);

  PioContext& ctx;
  PioAssembler& pio;

  /// The line as read, echoed to the report with every error.
  std::u16string_view original() const { return original_; }
  /// The body without its leading blanks (comment attached, case kept).
  std::u16string_view body() const { return body_; }
  /// The normalised words of the body without its comment.
  std::u16string_view words() const { return words_; }

  /// The first word; restarts the cursor.
  std::u16string firstWord();
  /// The next word (empty past the last).
  std::u16string next();
  /// The next word without moving on.
  std::u16string peek() const;
  /// Word 2 of the body with blanks normalised and case kept (a directive's
  /// value), a defined name replaced by its value.
  std::u16string valueWord() const;

  /// Echoes the line, reports the error and marks the line as failed.
  void fail(std::u16string_view kind, std::u16string_view message, std::u16string_view detail);
  /// Echoes the line and reports, but the line still gives its word.
  void warn(std::u16string_view kind, std::u16string_view message, std::u16string_view detail,
            int mode);
  bool failed() const { return failed_; }

 private:
  std::u16string_view original_;
  std::u16string body_;
  std::u16string words_;
  bool failed_ = false;
};

}  // namespace pio
