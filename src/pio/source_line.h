#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pio/line_words.h"

namespace pio {

/// A PIO line taken apart: the label it starts with, if any, and the rest.
struct SourceLine {
  /// The line as read up to and including the label's colon, indentation
  /// included ("" when the line has no label).
  std::u16string_view labelText;
  /// The label's name in lower case with its colon ("loop:").
  std::u16string labelName;
  /// The line after the label (the whole line without one), comment attached.
  std::u16string_view rest;
  /// The words of rest's code.
  std::vector<Word> words;
};

/// Splits a line as read into label and the rest. The label is the text
/// before the colon of the first word of the code, after an optional "public"
/// or "*", when that text is not empty; the colon may also stand after a
/// blank ("loop :"). Anything after the colon belongs to the rest.
SourceLine splitSourceLine(std::u16string_view line);

}  // namespace pio
