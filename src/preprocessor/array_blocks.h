#pragma once

#include <string>

namespace platform {
class Host;
}

namespace pre {

/// Array blocks (#ARRAYSTART ... #ARRAYEND): their description goes to a
/// ".cfg" file and, after #ARRAYGENERATE, the generator "Vemtor.exe" builds an
/// MMBasic file from it, which #ARRAYINCLUDE splices into the program.
class ArrayBlocks {
 public:
  /// #ARRAYGENERATE, #ARRAYEND, a line inside a block, #ARRAYSTART and
  /// #ARRAYINCLUDE, at any conditional level. Returns true when lineBuffer now
  /// holds inserted program text (an #ARRAYINCLUDE), which later directive
  /// tests must leave alone. A generated file that cannot be read stops the run.
  bool handleLine(std::u16string& lineBuffer, platform::Host& host);

 private:
  bool arrayGenerate_ = false;
  bool inArrayBlock_ = false;
  std::u16string arrayConfigText_;
  std::u16string arrayConfigFile_;
  std::u16string arrayToolArgs_;
};

}  // namespace pre
