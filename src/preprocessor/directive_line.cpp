#include "preprocessor/directive_line.h"

#include "text/blanks.h"

namespace pre {

void commentOut(std::u16string& lineBuffer) {
  lineBuffer = u"'" + std::u16string(text::trimLeadingBlanks(lineBuffer)) + u"\r\n";
}

void commentInPlace(std::u16string& lineBuffer) { lineBuffer.insert(0, 1, u'\''); }

}  // namespace pre
