#include "preprocessor/conditionals.h"

#include "preprocessor/directive_line.h"
#include "text/blanks.h"
#include "text/case_table.h"

namespace pre {
namespace {

// The base level can hold this many nested levels before the table grows.
constexpr size_t kInitialLevels = 21;

}  // namespace

bool DefinedSymbols::isDefined(std::u16string_view name) const {
  if (name.find(u'*') != std::u16string_view::npos) {
    return text::containsNoCase(defineList_, u"*" + std::u16string(name) + u"*");
  }
  // Two symbols in a row leave an empty piece between them: "*A**B*".
  if (name.empty() && defineCount_ >= 2) return true;
  return pieces_.contains(text::lower(name));
}

void DefinedSymbols::define(std::u16string_view name) {
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

ConditionalLevels::ConditionalLevels() : levelActive_(kInitialLevels, false) { levelActive_[0] = true; }

void ConditionalLevels::push(bool active) {
  ++level_;
  if (static_cast<size_t>(level_) >= levelActive_.size()) levelActive_.resize(level_ + 1, false);
  levelActive_[level_] = active;
}

void ConditionalLevels::open(bool holds, ConditionalRules rules) {
  push(holds && (rules == ConditionalRules::headerFile || currentActive()));
}

void ConditionalLevels::elseBranch(ConditionalRules rules) {
  if (level_ == 0) return;
  const bool outerOn = rules == ConditionalRules::headerFile || levelActive_[level_ - 1];
  levelActive_[level_] = !levelActive_[level_] && outerOn;
}

void ConditionalLevels::close(ConditionalRules rules) {
  if (level_ == 0) return;
  if (rules == ConditionalRules::mainSource) levelActive_[level_] = false;
  --level_;
}

bool isInterpreterDefine(std::u16string_view line) {
  if (!text::isDirective(line, kDefineKeyword)) return false;
  return text::field(text::normaliseBlanks(line), 2).starts_with(u'"');
}

// One keyword at most matches: none is the prefix of another.
bool handleConditionalLine(DefinedSymbols& symbols, ConditionalLevels& levels, std::u16string& lineBuffer,
                           ConditionalRules rules) {
  const std::u16string_view keyword = text::directiveKeyword(lineBuffer, kConditionalKeywords);
  if (keyword.empty()) return false;
  const std::u16string name(text::field(text::normaliseBlanks(lineBuffer), 2));
  if (keyword == kDefineKeyword) {
    // The interpreter's own text substitution is program text.
    if (isInterpreterDefine(lineBuffer)) return false;
    // At a level that is off the line stays as it is and is dropped later.
    if (!levels.currentActive()) return true;
    symbols.define(name);
  }
  if (keyword == kIfdefKeyword) levels.open(symbols.isDefined(name), rules);
  if (keyword == kIfndefKeyword) levels.open(!symbols.isDefined(name), rules);
  if (keyword == kElseKeyword) levels.elseBranch(rules);
  if (keyword == kEndifKeyword) levels.close(rules);
  commentOut(lineBuffer);
  return true;
}

}  // namespace pre
