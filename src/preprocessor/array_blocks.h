#pragma once

#include <string>

namespace platform {
class Host;
}

namespace pre {

class SourceGuard;

/// Array blocks (#ARRAYSTART ... #ARRAYEND): their description goes to a
/// ".cfg" file and, after #ARRAYGENERATE, the generator "Vemtor.exe" builds an
/// MMBasic file from it, which #ARRAYINCLUDE splices into the program.
class ArrayBlocks {
 public:
  /// The ".cfg" files written never replace the source.
  explicit ArrayBlocks(const SourceGuard& guard) : guard_(guard) {}

  /// #ARRAYGENERATE, #ARRAYEND, a line inside a block, #ARRAYSTART and
  /// #ARRAYINCLUDE, at any conditional level. Returns true when lineBuffer now
  /// holds inserted program text (an #ARRAYINCLUDE), which later directive
  /// tests must leave alone. A generated file that cannot be read stops the run.
  bool handleLine(std::u16string& lineBuffer, platform::Host& host);

  /// Whether an #ARRAYSTART is still waiting for its #ARRAYEND.
  bool blockOpen() const { return inArrayBlock_; }
  /// The reading starts again from the first line: no block is open then.
  void closeOpenBlock() { inArrayBlock_ = false; }

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
  bool inArrayBlock_ = false;
  std::u16string arrayConfigText_;
  std::u16string arrayConfigFile_;
  std::u16string arrayToolArgs_;
};

}  // namespace pre
