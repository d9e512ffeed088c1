#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace base {
class Logs;
}
namespace platform {
class Host;
}

namespace pre {

class SourceGuard;

/// The array block directives, in the order they are tested.
inline constexpr std::u16string_view kArrayGenerateKeyword = u"#ARRAYGENERATE";
inline constexpr std::u16string_view kArrayEndKeyword = u"#ARRAYEND";
inline constexpr std::u16string_view kArrayStartKeyword = u"#ARRAYSTART";
inline constexpr std::u16string_view kArrayIncludeKeyword = u"#ARRAYINCLUDE";
inline constexpr std::u16string_view kArrayKeywords[] = {kArrayGenerateKeyword, kArrayEndKeyword,
                                                        kArrayStartKeyword, kArrayIncludeKeyword};

/// The program that builds an MMBasic file from an array description.
inline constexpr std::u16string_view kArrayGenerator = u"Vemtor.exe";

/// How the generator is run: the program (a bare name is found as the OS
/// finds programs), or none, and then the message that stops a run needing it.
struct GeneratorProgram {
  std::u16string program;
  std::u16string unavailable;
};

/// Array blocks (#ARRAYSTART ... #ARRAYEND): their description goes to a
/// ".cfg" file and, after #ARRAYGENERATE, the generator builds an MMBasic
/// file from it, which #ARRAYINCLUDE splices into the program.
class ArrayBlocks {
 public:
  /// The ".cfg" files written never replace the source; notes on a generator
  /// that did not run go to the logs.
  ArrayBlocks(const SourceGuard& guard, base::Logs& logs, GeneratorProgram generator)
      : guard_(guard), logs_(logs), generator_(std::move(generator)) {}

  /// #ARRAYGENERATE, #ARRAYEND, a line inside a block (while inArrayBlock is
  /// set), #ARRAYSTART and #ARRAYINCLUDE, at any conditional level. Returns
  /// true when lineBuffer now holds inserted program text (an #ARRAYINCLUDE),
  /// which later directive tests must leave alone. A generated file that
  /// cannot be read stops the run.
  bool handleLine(std::u16string& lineBuffer, bool& inArrayBlock, platform::Host& host);

 private:
  // #ARRAYSTART: a new description, its ".cfg" name and the generator's arguments.
  void startBlock(std::u16string& lineBuffer);
  // A line inside the block: it joins the description and is commented.
  void collectBlockLine(std::u16string& lineBuffer);
  // #ARRAYEND after #ARRAYGENERATE: writes the ".cfg" and runs the generator.
  void generate(platform::Host& host);
  // #ARRAYINCLUDE: lineBuffer becomes the generated file, block ends split off.
  void includeGenerated(std::u16string& lineBuffer);

  const SourceGuard& guard_;
  base::Logs& logs_;
  GeneratorProgram generator_;
  bool arrayGenerate_ = false;
  std::u16string arrayConfigText_;
  std::u16string arrayConfigFile_;
  std::u16string arrayToolArgs_;
};

}  // namespace pre
