#pragma once

#include <string>
#include <string_view>

namespace pio {

struct PioAssembler;
struct PioDefine;

/// A PIO line taken apart: the label it starts with, if any, and the rest.
struct SourceLine {
  /// The label as written, up to its colon, with a leading "public" ("" when
  /// the line has no label).
  std::u16string labelText;
  /// The label's name in lower case with its colon ("loop:").
  std::u16string labelName;
  /// The line after the label, tabs as blanks, its comment still attached.
  std::u16string body;
};

/// Splits a line as read into label and body. The label is the text before
/// the first colon of the first word (after an optional "public") when that
/// text is not empty; anything after the colon belongs to the body.
SourceLine splitSourceLine(std::u16string_view line);

/// The text before the first apostrophe with trailing blanks removed, or the
/// whole text when it has no apostrophe.
std::u16string_view withoutComment(std::u16string_view text);

/// A word with a defined name replaced by the define's value; "[name]" gives
/// "[value]". Other words come back unchanged.
std::u16string substituteDefine(const PioAssembler& pio, std::u16string_view word);

/// Every word after the first of a normalised line run through
/// substituteDefine.
std::u16string substituteDefines(const PioAssembler& pio, std::u16string_view normalised);

/// Name and value of a normalised ".define" line: words 2 and 3, or words 3
/// and 4 after ".define public".
PioDefine defineOf(std::u16string_view normalised);

}  // namespace pio
