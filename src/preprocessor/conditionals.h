#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace pre {

/// The symbols of #DEFINE, shared by the main source and the header file.
/// They last the whole run: a reading that starts again keeps them.
class DefinedSymbols {
 public:
  /// Names compare without regard to case. (An empty name asks for "**",
  /// which two defined symbols in a row provide.)
  bool isDefined(std::u16string_view name) const;
  void define(std::u16string_view name);

 private:
  // Every symbol, as "*name*", in the order defined: a name is defined when
  // "*name*" occurs in it. For a name without "*" that means it is one of the
  // pieces between two stars, which the set holds (lower case); only a name
  // holding "*" itself needs the list.
  std::u16string defineList_;
  std::unordered_set<std::u16string> pieces_;
  int defineCount_ = 0;
};

/// Which rules a conditional directive follows.
enum class ConditionalRules { mainSource, headerFile };

/// The stack of #IFDEF levels of one reading, each on or off. The base level
/// is on and never closes or flips: #ELSE and #ENDIF there are ignored.
class ConditionalLevels {
 public:
  ConditionalLevels();

  /// Lines are kept only while the current level is on.
  bool currentActive() const { return levelActive_[level_]; }
  int level() const { return level_; }

  /// Opens a level that is on when its test holds. In the main source a
  /// level opened inside an off level stays off; in the header file a level
  /// ignores the level around it.
  void open(bool holds, ConditionalRules rules);
  /// #ELSE flips the current level (in the main source it stays off inside
  /// an off level).
  void elseBranch(ConditionalRules rules);
  /// #ENDIF closes the current level; in the header file the flag of the
  /// level it closes is left as it was.
  void close(ConditionalRules rules);

 private:
  void push(bool active);

  std::vector<bool> levelActive_;
  int level_ = 0;
};

/// A #DEFINE whose second word begins with a double quote, as in
/// #DEFINE "SIZE","200": the interpreter's own text substitution, which is
/// program text and no symbol of ours.
bool isInterpreterDefine(std::u16string_view line);

/// The conditional directives, in the order they are tested.
inline constexpr std::u16string_view kDefineKeyword = u"#DEFINE";
inline constexpr std::u16string_view kIfdefKeyword = u"#IFDEF";
inline constexpr std::u16string_view kIfndefKeyword = u"#IFNDEF";
inline constexpr std::u16string_view kElseKeyword = u"#ELSE";
inline constexpr std::u16string_view kEndifKeyword = u"#ENDIF";
inline constexpr std::u16string_view kConditionalKeywords[] = {kDefineKeyword, kIfdefKeyword, kIfndefKeyword,
                                                              kElseKeyword, kEndifKeyword};

/// Acts on a #DEFINE (only at a level that is on), #IFDEF, #IFNDEF, #ELSE or
/// #ENDIF line and comments it out. Returns whether the line was one; the
/// interpreter's own #DEFINE is none.
bool handleConditionalLine(DefinedSymbols& symbols, ConditionalLevels& levels, std::u16string& lineBuffer,
                           ConditionalRules rules);

}  // namespace pre
