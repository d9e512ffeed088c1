#include "pio/pio_line.h"

#include <algorithm>

#include "base/logs.h"
#include "pio/options.h"
#include "text/numbers.h"

namespace pio {

namespace {

// A define naming a define is followed this far, so a loop of them ends.
constexpr int kMaxKeywordChain = 16;

// Words that never stand for a value: after a group they show that the
// group was the value, not a note.
constexpr std::u16string_view kNoValueWords[] = {
    u"side", u"sideset", u"side_set", u"optional", u"rel",  u"opt",   u"pindirs", u"left",
    u"right", u"auto",   u"manual",   u"gpio",     u"pin",  u"irq",   u"jmppin"};

bool canBeValue(const Word& word) {
  if (word.group) return true;
  if (word.text.starts_with(u'[')) return false;
  for (std::u16string_view keyword : kNoValueWords) {
    if (word.text == keyword) return false;
  }
  return true;
}

std::u16string substituted(const PioAssembler& pio, const std::u16string& word) {
  std::u16string text = word;
  for (int step = 0; step < kMaxKeywordChain; ++step) {
    const std::u16string* value = lookupDefine(pio, text);
    if (value == nullptr || value->empty() || value->find(u' ') != std::u16string::npos) break;
    text = *value;
  }
  return text;
}

}  // namespace

void echoForReport(base::Logs& logs, const LinePlace& place, std::u16string_view line,
                   bool named) {
  if (!named) {
    logs.pioErrorLine(line);
    return;
  }
  logs.pioErrorLine(std::u16string(place.file) + u":" + text::decimal(place.line) + u": " +
                    std::u16string(line));
}

PioLine::PioLine(PioContext& context, Reading reading, std::u16string_view original,
                 std::u16string_view rest, std::vector<Word> words, Dialect dialect)
    : ctx(context),
      pio(context.pio),
      reading_(reading),
      dialect_(dialect),
      original_(original),
      rest_(rest),
      words_(std::move(words)) {}

size_t PioLine::nextKeywordIndex() const {
  size_t i = cursor_;
  while (!fileRules() && i < words_.size() && words_[i].group) ++i;
  return i;
}

std::u16string PioLine::mnemonic() {
  cursor_ = nextKeywordIndex();
  return atEnd() ? std::u16string() : words_[cursor_++].text;
}

std::u16string PioLine::keyword() {
  std::u16string word = peekKeyword();
  cursor_ = std::min(nextKeywordIndex() + 1, words_.size());
  return word;
}

std::u16string PioLine::peekKeyword() const {
  size_t i = nextKeywordIndex();
  if (i >= words_.size()) return {};
  return fileRules() ? words_[i].text : substituted(pio, words_[i].text);
}

Word PioLine::valueWord() {
  while (!fileRules() && cursor_ + 1 < words_.size() && words_[cursor_].group &&
         canBeValue(words_[cursor_ + 1])) {
    ++cursor_;
  }
  if (atEnd()) return {};
  return words_[cursor_++];
}

std::u16string PioLine::restText() const {
  std::u16string out;
  for (size_t i = cursor_; i < words_.size(); ++i) {
    if (!out.empty()) out += u' ';
    out += words_[i].text;
  }
  return out;
}

void PioLine::report(std::u16string_view text) {
  if (!firstReading()) ctx.logs.pioErrorLine(text);
}

void PioLine::fail(ErrorKind kind, std::u16string_view message, std::u16string_view detail) {
  warn(kind, message, detail, ReportMode::plain);
  failed_ = true;
}

Chip PioLine::chip() const {
  if (!firstReading()) return pio.block.chip;
  return pio.symbols.chipOfBlock(pio.placement.blockNumber, ctx.options.chip);
}

bool PioLine::needVersionOne(std::u16string_view form, std::u16string_view word) {
  if (versionOne()) return true;
  fail(ErrorKind::gen, std::u16string(form) + std::u16string(kNeedsVersionOne), word);
  return false;
}

void PioLine::warn(ErrorKind kind, std::u16string_view message, std::u16string_view detail,
                   ReportMode mode) {
  if (firstReading()) return;
  echoForReport(ctx.logs, pio.place, original_, fileRules());
  reportPioError(pio, ctx.logs, kind, message, detail, mode);
}

}  // namespace pio
