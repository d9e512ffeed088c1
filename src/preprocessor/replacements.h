#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pre {

class Emitter;
enum class LibraryKind : uint8_t;
struct TargetOptions;

/// One #REPLACE pair: a word and what it becomes.
struct Replacement {
  std::u16string from;
  std::u16string to;
};

/// The #REPLACE pairs in the order their lines were met. Emptied whenever the
/// source is read again from its first line, so each pair applies once.
using ReplaceTable = std::vector<Replacement>;

/// The characters that must stand on both sides of a replaced word, in the
/// order in which they are tried.
inline constexpr std::u16string_view kDelimiters = u" ,()-+/\\*<>=!:'$&^%\n\t\r\f\"";

/// The #REPLACE directive, found anywhere in the line.
inline constexpr std::u16string_view kReplaceKeywords[] = {u"#REPLACE"};

/// The #REPLACE step for the line in lineBuffer. A line that holds the
/// keyword before any apostrophe stores its pair and is kept as a comment
/// line (straight into the output unless a library load or the ESP option is
/// in force; with the ESP option it is a ";" line that survives emission); a
/// keyword behind an apostrophe drops the line. Returns whether the line held
/// the keyword: then no later step looks at it.
bool handleReplaceLine(ReplaceTable& table, std::u16string& lineBuffer, const TargetOptions& target,
                       LibraryKind libraryLoad, Emitter& emitter);

/// Applies every pair, in order, to the whole text: a from-word (any case)
/// with a delimiter on each side becomes the to-word, the delimiters kept.
/// Within a pair the right delimiter varies slowest, and each delimiter pair
/// is one left-to-right scan without overlap, so later scans see what earlier
/// ones wrote.
std::u16string applyReplacements(const ReplaceTable& table, std::u16string text);

}  // namespace pre
