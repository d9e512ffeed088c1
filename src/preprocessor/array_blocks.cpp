#include "preprocessor/array_blocks.h"

namespace pre {

bool ArrayBlocks::handleLine(std::u16string&, platform::Host&) { return false; }

}  // namespace pre
