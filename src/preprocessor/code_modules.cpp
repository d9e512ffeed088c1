#include "preprocessor/code_modules.h"

namespace pre {

const std::vector<std::u16string>* CodeBaseFiles::lines(const std::u16string&) { return nullptr; }
bool isEndCodeLine(std::u16string_view) { return false; }
bool handleCodeBaseLine(std::u16string&, std::u16string&) { return false; }
bool handleCodeModuleLine(std::u16string&, const std::u16string&, CodeBaseFiles&) { return false; }

}  // namespace pre
