#pragma once

#include <string>
#include <string_view>

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

/// Array blocks (#ARRAYSTART ... #ARRAYEND): their description goes to a
/// ".cfg" file and, after #ARRAYGENERATE, the generator "Vemtor.exe" builds an
/// MMBasic file from it, which #ARRAYINCLUDE splices into the program.
class ArrayBlocks {
 public:
  /// The ".cfg" files written never replace the source.
  explicit ArrayBlocks(const SourceGuard& guard) : guard_(guard) {}

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
  bool arrayGenerate_ = false;
  std::u16string arrayConfigText_;
  std::u16string arrayConfigFile_;
  std::u16string arrayToolArgs_;
};

}  // namespace pre
