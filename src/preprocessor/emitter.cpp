#include "preprocessor/emitter.h"

#include "app/run_state.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/line_map.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace pre {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

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
  return trimmed.starts_with(u"'#") || text::containsNoCase(line, u"''target ");
}

}  // namespace

void Emitter::emitLine(std::u16string_view line) {
  if (!conditionals_.currentActive()) return;
  std::u16string_view trimmed = text::trimLeadingBlanks(line);
  if (state_.corvaneMode) {
    emitCorvane(line, trimmed);
  } else if (state_.keepComments) {
    emitKeepingComments(line, trimmed);
  } else {
    emitStrippingComments(line, trimmed);
  }
  state_.lineMapRepeat = false;
}

void Emitter::emitCorvane(std::u16string_view line, std::u16string_view trimmed) {
  if (trimmed.starts_with(u';')) {
    append(semicolonToApostrophe(line, line.size() - trimmed.size()), 0);
  } else if (!isDroppedComment(line, trimmed)) {
    append(line, 0);
  }
}

void Emitter::emitKeepingComments(std::u16string_view line, std::u16string_view trimmed) {
  if (trimmed.starts_with(u';')) {
    append(semicolonToApostrophe(line, line.size() - trimmed.size()), 1);
  } else if (!isDroppedComment(line, trimmed) && trimmed != kCrLf) {
    append(line, state_.lineMapRepeat ? 2 : 1);
  }
}

void Emitter::emitStrippingComments(std::u16string_view line, std::u16string_view trimmed) {
  const size_t leading = line.size() - trimmed.size();
  const size_t a = position(trimmed, u'\'');
  const size_t q = position(trimmed, u'"');
  const size_t s = position(trimmed, u';');
  if (s == 1) {
    append(semicolonToApostrophe(line, leading), 1);
    return;
  }
  if (s > 1 && a != 1 && trimmed.starts_with(u"PIO ")) {
    // Generated PIO commands carry their listing after a ";": cut it off.
    append(std::u16string(line.substr(0, leading + s - 1)) + u"\r\n", 1);
    return;
  }
  if (a == 1 && !state_.lineMapRepeat) return;
  std::u16string kept(line);
  if (a > 1 && a < q) {
    // Only a comment that stands before any string is surely a comment.
    kept = std::u16string(text::trimTrailingBlanks(line.substr(0, leading + a - 1))) + u"\r\n";
  }
  std::u16string_view keptTrimmed = text::trimLeadingBlanks(kept);
  if (keptTrimmed.starts_with(u'#') && !text::startsWithNoCase(keptTrimmed, u"#INCLUDE")) {
    kept.insert(0, 1, u'\'');
  }
  if (text::trimLeadingBlanks(kept) == kCrLf) return;
  append(kept, state_.lineMapRepeat ? 2 : 1);
}

void Emitter::append(std::u16string_view line, int entries) {
  state_.outputText += line;
  if (!state_.briskoMode) return;
  for (int i = 0; i < entries; ++i) lineMap_.record(state_.sourceLineNumber);
}

void Emitter::flushLineBuffer() {
  std::u16string& buffer = state_.lineBuffer;
  size_t start = 0;
  for (size_t end; (end = buffer.find(kCrLf, start)) != std::u16string::npos; start = end + 2) {
    emitLine(std::u16string_view(buffer).substr(start, end + 2 - start));
  }
  buffer.erase(0, start);
}

void Emitter::appendDirect(std::u16string_view lines) {
  state_.outputText += lines;
  if (!state_.briskoMode) return;
  size_t start = 0;
  for (size_t end; (end = lines.find(kCrLf, start)) != std::u16string_view::npos; start = end + 2) {
    lineMap_.record(state_.sourceLineNumber);
  }
}

void Emitter::restartOutput() {
  state_.outputText = state_.targetLine;
  lineMap_.clear();
  if (state_.briskoMode && !state_.targetLine.empty()) lineMap_.record(state_.targetLineNumber);
}

}  // namespace pre
