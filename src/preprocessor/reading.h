#pragma once

#include <cstdint>

#include "preprocessor/conditionals.h"
#include "preprocessor/libraries.h"
#include "preprocessor/line_map.h"
#include "preprocessor/replacements.h"

namespace pre {

/// What one reading of the main source builds and leaves open. The source is
/// read again from its first line with a fresh one, so nothing a reading
/// opened or collected can reach the next.
struct Reading {
  /// The result so far and its line map.
  Output output;
  /// Lines read from the main source so far; the line map records it for
  /// every line the output receives.
  int32_t sourceLineNumber = 0;
  /// The #REPLACE pairs met, each applied once to this reading's output.
  ReplaceTable replacements;
  /// The #IFDEF levels open (the defined symbols last the whole run).
  ConditionalLevels levels;
  /// Between a line that begins with "/*" and one that begins with "*/".
  bool inBlockComment = false;
  /// The library section the lines stand in.
  LibraryKind librarySection = LibraryKind::none;
  /// An #ARRAYSTART waits for its #ARRAYEND.
  bool inArrayBlock = false;
};

}  // namespace pre
