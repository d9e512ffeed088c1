#include "preprocessor/emitter.h"

#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/reading.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/quotes.h"

namespace pre {
namespace {

constexpr std::u16string_view kCrLf = text::kCrLf;

// 1-based position of the first c in s, 0 when absent.
size_t position(std::u16string_view s, char16_t c) {
  size_t p = s.find(c);
  return p == std::u16string_view::npos ? 0 : p + 1;
}

// A ";" line is a comment that must survive: the ";" becomes an apostrophe
// where it stands, the indentation kept.
std::u16string semicolonToApostrophe(std::u16string_view line, size_t leading) {
  std::u16string out(line);
  out[leading] = u'\'';
  return out;
}

bool isDroppedComment(std::u16string_view line, std::u16string_view trimmed) {
  return trimmed.starts_with(u"'#") ||
         (line.find(u"''") != std::u16string_view::npos && text::containsNoCase(line, u"''target "));
}

// A line that begins with "#" and reaches the output is a directive we did
// not act on, so it is commented for the interpreter. Include lines passed
// on from include files and the interpreter's own directives stay as they are.
bool needsApostrophe(std::u16string_view trimmed) {
  if (!trimmed.starts_with(u'#')) return false;
  for (std::u16string_view kept : {u"#INCLUDE", u"#COMMENT", u"#MMDEBUG"}) {
    if (text::startsWithNoCase(trimmed, kept)) return false;
  }
  return !isInterpreterDefine(trimmed);
}

}  // namespace

void Emitter::emitLine(std::u16string_view line) {
  if (!reading_.levels.currentActive()) return;
  std::u16string_view trimmed = text::trimLeadingBlanks(line);
  if (base::keepsComments(mode_) || options_.keepComments) {
    emitKeepingComments(line, trimmed);
  } else {
    emitStrippingComments(line, trimmed);
  }
  line_.lineMapRepeat = false;
}

// Corvane keeps every line but commented-out directives; Brisko with
// #KEEPCOMMENTS keeps the same lines less the empty ones, and maps them.
void Emitter::emitKeepingComments(std::u16string_view line, std::u16string_view trimmed) {
  const bool mapped = !base::keepsComments(mode_);
  if (trimmed.starts_with(u';')) {
    append(semicolonToApostrophe(line, line.size() - trimmed.size()), mapped ? 1 : 0);
  } else if (!isDroppedComment(line, trimmed) && !(mapped && trimmed == kCrLf)) {
    append(line, !mapped ? 0 : line_.lineMapRepeat ? 2 : 1);
  }
}

void Emitter::emitStrippingComments(std::u16string_view line, std::u16string_view trimmed) {
  const size_t leading = line.size() - trimmed.size();
  const size_t a = position(trimmed, u'\'');
  if (trimmed.starts_with(u';')) {
    append(semicolonToApostrophe(line, leading), 1);
    return;
  }
  if (trimmed.starts_with(u"PIO ") && a != 1) {
    // Generated PIO commands carry their listing after a ";": cut it off.
    const size_t cut = text::findOutsideQuotes(trimmed, u';');
    if (cut != std::u16string_view::npos) {
      appendPieces({}, line.substr(0, leading + cut), kCrLf, 1);
      return;
    }
  }
  if (a == 1 && !line_.lineMapRepeat) return;
  std::u16string_view kept = line;
  std::u16string_view ending;
  if (a > 1 && a < position(trimmed, u'"')) {
    // Only a comment that stands before any string is surely a comment.
    kept = text::trimTrailingBlanks(line.substr(0, leading + a - 1));
    ending = kCrLf;
  }
  const std::u16string_view keptTrimmed = text::trimLeadingBlanks(kept);
  if (keptTrimmed.empty() || keptTrimmed == kCrLf) return;
  appendPieces(needsApostrophe(keptTrimmed) ? u"'" : u"", kept, ending, line_.lineMapRepeat ? 2 : 1);
}

void Emitter::append(std::u16string_view line, int entries) { appendPieces({}, line, {}, entries); }

void Emitter::appendPieces(std::u16string_view before, std::u16string_view line,
                           std::u16string_view after, int entries) {
  reading_.output.text.append(before).append(line).append(after);
  if (base::keepsComments(mode_)) return;
  for (int i = 0; i < entries; ++i) reading_.output.lineMap.record(reading_.sourceLineNumber);
}

void Emitter::flushLineBuffer() {
  std::u16string& buffer = line_.lineBuffer;
  const size_t done = text::forEachCrLfLine(buffer, [this](std::u16string_view line) { emitLine(line); });
  buffer.erase(0, done);
}

void Emitter::appendDirect(std::u16string_view lines) {
  reading_.output.text += lines;
  if (base::keepsComments(mode_)) return;
  text::forEachCrLfLine(lines, [this](std::u16string_view) {
    reading_.output.lineMap.record(reading_.sourceLineNumber);
  });
}

void Emitter::restartOutput() {
  reading_.output.text = target_.targetLine;
  reading_.output.lineMap.clear();
  if (!base::keepsComments(mode_) && !target_.targetLine.empty()) {
    reading_.output.lineMap.record(target_.targetLineNumber);
  }
}

}  // namespace pre
