#include "preprocessor/conditionals.h"

#include <algorithm>

#include "preprocessor/directive_line.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace pre {
namespace {

// The base level can hold this many nested levels before the table grows.
constexpr size_t kInitialLevels = 21;

}  // namespace

Conditionals::Conditionals() : levelActive_(kInitialLevels, false) { levelActive_[0] = true; }

bool Conditionals::isDefined(std::u16string_view name) const {
  if (name.find(u'*') != std::u16string_view::npos) {
    return text::containsNoCase(defineList_, u"*" + std::u16string(name) + u"*");
  }
  // Two symbols in a row leave an empty piece between them: "*A**B*".
  if (name.empty() && defineCount_ >= 2) return true;
  return pieces_.contains(text::lower(name));
}

void Conditionals::define(std::u16string_view name) {
  defineList_ += u'*';
  defineList_ += name;
  defineList_ += u'*';
  ++defineCount_;
  const std::u16string lowered = text::lower(name);
  size_t start = 0;
  for (size_t star; (star = lowered.find(u'*', start)) != std::u16string::npos; start = star + 1) {
    pieces_.insert(lowered.substr(start, star - start));
  }
  pieces_.insert(lowered.substr(start));
}

void Conditionals::closeAllLevels() {
  std::fill(levelActive_.begin(), levelActive_.end(), false);
  levelActive_[0] = true;
  level_ = 0;
}

void Conditionals::push(bool active) {
  ++level_;
  if (static_cast<size_t>(level_) >= levelActive_.size()) levelActive_.resize(level_ + 1, false);
  levelActive_[level_] = active;
}

void Conditionals::openIfdef(std::u16string_view name) {
  push(isDefined(name) && currentActive());
}

void Conditionals::openIfndef(std::u16string_view name) {
  push(!isDefined(name) && currentActive());
}

// At level 0 there is no open level to switch or close: the line is ignored.
void Conditionals::elseBranch() {
  if (level_ == 0) return;
  levelActive_[level_] = !levelActive_[level_] && levelActive_[level_ - 1];
}

void Conditionals::closeLevel() {
  if (level_ == 0) return;
  levelActive_[level_] = false;
  --level_;
}

void Conditionals::openHeaderIfdef(std::u16string_view name) { push(isDefined(name)); }

void Conditionals::openHeaderIfndef(std::u16string_view name) { push(!isDefined(name)); }

void Conditionals::headerElse() {
  if (level_ == 0) return;
  levelActive_[level_] = !levelActive_[level_];
}

void Conditionals::headerEndif() {
  if (level_ > 0) --level_;
}

bool isInterpreterDefine(std::u16string_view line) {
  if (!text::isDirective(line, u"#DEFINE")) return false;
  return text::field(text::normaliseBlanks(line), 2).starts_with(u'"');
}

bool handleConditionalLine(Conditionals& conditionals, std::u16string& lineBuffer,
                           ConditionalRules rules) {
  if (!text::trimLeadingBlanks(lineBuffer).starts_with(u'#')) return false;
  const bool header = rules == ConditionalRules::headerFile;
  const std::u16string workLine = text::normaliseBlanks(lineBuffer);
  const std::u16string name(text::field(workLine, 2));
  if (text::isDirective(lineBuffer, u"#DEFINE")) {
    // The interpreter's own text substitution is program text.
    if (isInterpreterDefine(lineBuffer)) return false;
    // At a level that is off the line stays as it is and is dropped later.
    if (!conditionals.currentActive()) return true;
    conditionals.define(name);
  } else if (text::isDirective(lineBuffer, u"#IFDEF")) {
    header ? conditionals.openHeaderIfdef(name) : conditionals.openIfdef(name);
  } else if (text::isDirective(lineBuffer, u"#IFNDEF")) {
    header ? conditionals.openHeaderIfndef(name) : conditionals.openIfndef(name);
  } else if (text::isDirective(lineBuffer, u"#ELSE")) {
    header ? conditionals.headerElse() : conditionals.elseBranch();
  } else if (text::isDirective(lineBuffer, u"#ENDIF")) {
    header ? conditionals.headerEndif() : conditionals.closeLevel();
  } else {
    return false;
  }
  commentOut(lineBuffer);
  return true;
}

}  // namespace pre
