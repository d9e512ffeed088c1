#include "pio/source_line.h"

#include "pio/pio_assembler.h"
#include "pio/pio_text.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace pio {

namespace {

// Position just past the word that starts at from (the next blank or the end).
size_t wordEnd(std::u16string_view s, size_t from) {
  size_t end = s.find(u' ', from);
  return end == std::u16string_view::npos ? s.size() : end;
}

size_t skipBlanks(std::u16string_view s, size_t from) {
  while (from < s.size() && s[from] == u' ') ++from;
  return from;
}

}  // namespace

SourceLine splitSourceLine(std::u16string_view line) {
  std::u16string prepared = preparePioLine(line);
  std::u16string_view code = withoutComment(prepared);
  size_t start = skipBlanks(code, 0);
  size_t wordStart = start;
  size_t end = wordEnd(code, wordStart);
  if (text::equalsNoCase(code.substr(wordStart, end - wordStart), u"public")) {
    wordStart = skipBlanks(code, end);
    end = wordEnd(code, wordStart);
  }
  std::u16string_view word = code.substr(wordStart, end - wordStart);
  size_t colon = word.find(u':');
  // A ";" word marks a comment line, never a label.
  if (colon == std::u16string_view::npos || colon == 0 || word[0] == u';') {
    return {{}, {}, prepared.substr(start)};
  }
  size_t bodyStart = wordStart + colon + 1;
  return {prepared.substr(start, bodyStart - start), text::lower(word.substr(0, colon + 1)),
          std::u16string(text::trimLeadingBlanks(std::u16string_view(prepared).substr(bodyStart)))};
}

std::u16string_view withoutComment(std::u16string_view text) {
  size_t apostrophe = text.find(u'\'');
  if (apostrophe == std::u16string_view::npos) return text;
  return text::trimTrailingBlanks(text.substr(0, apostrophe));
}

std::u16string substituteDefine(const PioAssembler& pio, std::u16string_view word) {
  if (word.size() > 2 && word.front() == u'[' && word.back() == u']') {
    if (auto value = lookupDefine(pio, word.substr(1, word.size() - 2))) {
      return u"[" + *value + u"]";
    }
  }
  return lookupDefine(pio, word).value_or(std::u16string(word));
}

std::u16string substituteDefines(const PioAssembler& pio, std::u16string_view normalised) {
  if (pio.defines.empty()) return std::u16string(normalised);
  std::u16string out(text::field(normalised, 1));
  for (int n = 2;; ++n) {
    std::u16string_view word = text::field(normalised, n);
    if (word.empty()) break;
    out += u' ';
    out += substituteDefine(pio, word);
  }
  return out;
}

PioDefine defineOf(std::u16string_view normalised) {
  int nameField = text::field(normalised, 2) == u"public" ? 3 : 2;
  return {std::u16string(text::field(normalised, nameField)),
          std::u16string(text::field(normalised, nameField + 1))};
}

}  // namespace pio
