#include "pio/line_words.h"

#include "text/blanks.h"
#include "text/case_table.h"

namespace pio {

namespace {

constexpr size_t kNone = std::u16string::npos;

// For every opening bracket of the kind, the position of its matching closing
// one (nesting counted); kNone for the others.
void matchBrackets(std::u16string_view s, char16_t open, char16_t close,
                   std::vector<size_t>& closeOf) {
  std::vector<size_t> openings;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == open) {
      openings.push_back(i);
    } else if (s[i] == close && !openings.empty()) {
      closeOf[openings.back()] = i;
      openings.pop_back();
    }
  }
}

void appendShrunk(std::u16string& out, std::u16string_view part) {
  for (char16_t c : part) {
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out += c;
  }
}

}  // namespace

CommentSplit splitComment(std::u16string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    char16_t c = line[i];
    size_t mark = c == u'\'' || c == u';' ? 1 : 0;
    if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'/') mark = 2;
    if (mark > 0) return {line.substr(0, i), line.substr(i + mark)};
  }
  return {line, line};
}

std::u16string blankBlockComments(std::u16string_view line, bool& inside) {
  std::u16string out(line);
  for (size_t i = 0; i < out.size(); ++i) {
    const bool pairStarts = i + 1 < out.size();
    if (inside) {
      const bool closes = out[i] == u'*' && pairStarts && out[i + 1] == u'/';
      out[i] = u' ';
      if (closes) {
        out[++i] = u' ';
        inside = false;
      }
    } else if (out[i] == u'/' && pairStarts && out[i + 1] == u'*') {
      out[i] = out[i + 1] = u' ';
      ++i;
      inside = true;
    } else if (out[i] == u'\'' || out[i] == u';' || (out[i] == u'/' && pairStarts && out[i + 1] == u'/')) {
      break;
    }
  }
  return out;
}

std::vector<Word> splitWords(std::u16string_view code) {
  std::u16string s = preparePioLine(code);
  std::vector<size_t> closeOf(s.size(), kNone);
  matchBrackets(s, u'(', u')', closeOf);
  matchBrackets(s, u'[', u']', closeOf);
  std::vector<Word> words;
  std::u16string current;
  auto flush = [&] {
    if (!current.empty()) words.push_back({text::lower(current), false});
    current.clear();
  };
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (c == u' ' || c == u',') {
      flush();
    } else if ((c == u'(' || c == u'[') && closeOf[i] != kNone) {
      std::u16string_view part = std::u16string_view(s).substr(i, closeOf[i] - i + 1);
      if (c == u'(') {
        flush();
        std::u16string group;
        appendShrunk(group, part);
        words.push_back({text::lower(group), true});
      } else {
        appendShrunk(current, part);
      }
      i = closeOf[i];
    } else {
      current += c;
    }
  }
  flush();
  return words;
}

std::u16string preparePioLine(std::u16string_view line) {
  std::u16string out;
  out.reserve(line.size());
  for (char16_t c : line) {
    if (c == u'\t') c = u' ';
    if (c == u' ' && !out.empty() && out.back() == u'[') continue;
    if (c == u']') {
      while (!out.empty() && out.back() == u' ') out.pop_back();
    }
    out += c;
  }
  return out;
}

std::u16string normalisePioLine(std::u16string_view text) {
  // Each pass drops the text from the first "(" to the first ")"; nothing
  // before the dropped part can match again, so one scan does them all.
  std::u16string s;
  s.reserve(text.size());
  size_t from = 0;
  for (;;) {
    size_t open = text.find(u'(', from);
    size_t close = text.find(u')', from);
    if (open == kNone || close == kNone || close < open) break;
    s.append(text.substr(from, open - from));
    s += u' ';
    from = close + 1;
  }
  s.append(text.substr(from));
  for (char16_t& c : s) {
    if (c == u',') c = u' ';
  }
  return text::lower(text::normaliseBlanks(s));
}

}  // namespace pio
