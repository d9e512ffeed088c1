#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace pre {

/// Symbols of #DEFINE and the stack of #IFDEF levels, each on or off. Shared
/// by the main source and the header file; never reset during a run.
class Conditionals {
 public:
  Conditionals();

  /// Lines are kept only while the current level is on.
  bool currentActive() const { return levelActive_[level_]; }
  int level() const { return level_; }

  /// Names compare without regard to case. (An empty name asks for "**",
  /// which two defined symbols in a row provide.)
  bool isDefined(std::u16string_view name) const;
  void define(std::u16string_view name);

  /// Back to the base level, which is on; the defined symbols stay.
  void closeAllLevels();

  // Main source: a level opened inside an off level stays off.
  void openIfdef(std::u16string_view name);
  void openIfndef(std::u16string_view name);
  void elseBranch();
  void closeLevel();

  // Header file: a level ignores the level around it, #ELSE flips, #ENDIF
  // leaves the flag of the level it closes as it was.
  void openHeaderIfdef(std::u16string_view name);
  void openHeaderIfndef(std::u16string_view name);
  void headerElse();
  void headerEndif();

 private:
  void push(bool active);

  // Every symbol, as "*name*", in the order defined: a name is defined when
  // "*name*" occurs in it. For a name without "*" that means it is one of the
  // pieces between two stars, which the set holds (lower case); only a name
  // holding "*" itself needs the list.
  std::u16string defineList_;
  std::unordered_set<std::u16string> pieces_;
  int defineCount_ = 0;
  std::vector<bool> levelActive_;
  int level_ = 0;
};

/// Which rules a conditional directive follows.
enum class ConditionalRules { mainSource, headerFile };

/// A #DEFINE whose second word begins with a double quote, as in
/// #DEFINE "SIZE","200": the interpreter's own text substitution, which is
/// program text and no symbol of ours.
bool isInterpreterDefine(std::u16string_view line);

/// Acts on a #DEFINE (only at a level that is on), #IFDEF, #IFNDEF, #ELSE or
/// #ENDIF line and comments it out. Returns whether the line was one; the
/// interpreter's own #DEFINE is none.
bool handleConditionalLine(Conditionals& conditionals, std::u16string& lineBuffer,
                           ConditionalRules rules);

}  // namespace pre
