#include "pio/value_reader.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "pio/expression.h"
#include "pio/pio_assembler.h"
#include "pio/pio_file.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "text/case_table.h"

namespace pio {

namespace {

// Defines naming defines are followed this deep; a deeper chain is refused
// rather than risk the stack.
constexpr size_t kMaxDefineDepth = 16;

// Reads values with the defines and labels in force. Each define is worked
// out once per value read, so a define used many times costs nothing more,
// and one that names itself, even through others, has no value.
class Evaluator {
 public:
  explicit Evaluator(const PioAssembler& pio) : pio_(pio) {}

  // A define's value or a delay's contents: a whole number, then a name,
  // then an expression.
  std::optional<int32_t> valueText(std::u16string_view text) {
    if (std::optional<int32_t> number = wholeNumber(text)) return number;
    if (std::optional<int32_t> value = name(text)) return value;
    return expression(text);
  }

  // A define or a label of the block. A name both carry has no value: names
  // differing only in case are one name here, and which was meant is unknown.
  std::optional<int32_t> name(std::u16string_view name) {
    std::optional<int32_t> label = findLabel(pio_, std::u16string(name) + u":");
    const std::u16string* value = lookupDefine(pio_, name);
    if (value == nullptr) return label;
    if (label) {
      if (clash_.empty()) clash_ = text::lower(name);
      return std::nullopt;
    }
    return define(name, *value);
  }

  // The first name met that a define and a label both carry, or empty.
  const std::u16string& clash() const { return clash_; }

  std::optional<int32_t> expression(std::u16string_view text) {
    return evaluateExpression(text, [this](std::u16string_view n) { return name(n); });
  }

 private:
  std::optional<int32_t> define(std::u16string_view name, const std::u16string& value) {
    std::u16string key = text::lower(name);
    if (auto done = done_.find(key); done != done_.end()) return done->second;
    if (active_.contains(key) || active_.size() >= kMaxDefineDepth) return std::nullopt;
    active_.insert(key);
    std::optional<int32_t> result = valueText(value);
    active_.erase(key);
    done_[key] = result;
    return result;
  }

  const PioAssembler& pio_;
  std::unordered_map<std::u16string, std::optional<int32_t>> done_;
  std::unordered_set<std::u16string> active_;
  std::u16string clash_;
};

// The text between a group's parentheses.
std::u16string_view groupContents(const Word& word) {
  std::u16string_view text = word.text;
  return text.substr(1, text.size() - 2);
}

// The contents of a delay word when the "[" at its start is matched by the
// "]" at its end; nullopt otherwise.
std::optional<std::u16string_view> delayContents(std::u16string_view text) {
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'[') ++depth;
    if (text[i] == u']' && --depth == 0) {
      if (i + 1 != text.size()) return std::nullopt;
      return text.substr(1, i - 1);
    }
  }
  return std::nullopt;
}

// A value of a .pio file line: an expression in its program's names.
std::optional<int32_t> fileValue(PioLine& line, std::u16string_view expression) {
  const IncludedProgram& program = line.program();
  std::u16string missing;
  std::optional<int32_t> value = program.file->evaluate(program.program, expression, &missing);
  if (value) return value;
  if (missing.empty()) {
    line.fail(ErrorKind::gen, kNotANumber, expression);
  } else {
    line.fail(ErrorKind::gen, kUndefinedName, missing);
  }
  return std::nullopt;
}

// The text between a group's parentheses, or the word as it stands.
std::u16string_view valueText(const Word& word) {
  return word.group ? std::u16string_view(word.text).substr(1, word.text.size() - 2)
                    : std::u16string_view(word.text);
}

void report(PioLine& line, const Evaluator& evaluator, const Word& word) {
  if (evaluator.clash().empty()) {
    line.fail(ErrorKind::gen, kNotANumber, word.text);
  } else {
    line.fail(ErrorKind::gen, kDefineAndLabel, evaluator.clash());
  }
}

}  // namespace

std::optional<int32_t> readValue(PioLine& line, const Word& word) {
  if (word.text.empty()) return 0;
  if (line.fileRules()) return fileValue(line, valueText(word));
  Evaluator evaluator(line.pio);
  std::optional<int32_t> value;
  if (word.group) {
    value = evaluator.expression(groupContents(word));
  } else if (std::optional<int32_t> number = wholeNumber(word.text)) {
    value = number;
  } else {
    value = evaluator.name(word.text);
  }
  if (!value) report(line, evaluator, word);
  return value;
}

std::optional<int32_t> jumpTarget(PioLine& line, const Word& word) {
  if (line.fileRules()) return fileValue(line, valueText(word));
  Evaluator evaluator(line.pio);
  std::optional<int32_t> value;
  if (word.group) {
    value = evaluator.expression(groupContents(word));
  } else if (isWholeNumber(word.text)) {
    value = wholeNumber(word.text);
  } else if (!word.text.empty()) {
    value = evaluator.name(word.text);
    if (!value && evaluator.clash().empty()) value = evaluator.expression(word.text);
  }
  if (value || evaluator.clash().empty()) return value;
  line.fail(ErrorKind::gen, kDefineAndLabel, evaluator.clash());
  return 0;
}

std::optional<int32_t> readDelay(PioLine& line, const Word& word) {
  Evaluator evaluator(line.pio);
  std::optional<std::u16string_view> contents = delayContents(word.text);
  if (line.fileRules() && contents) return fileValue(line, *contents);
  std::optional<int32_t> value;
  if (contents && contents->empty()) {
    value = 0;
  } else if (contents) {
    value = evaluator.valueText(*contents);
  }
  if (!value) report(line, evaluator, word);
  return value;
}

}  // namespace pio
