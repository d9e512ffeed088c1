#include "app/console_reporter.h"

#include "base/source_location.h"
#include "platform/console.h"
#include "platform/files.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"

namespace app {

std::u16string diagnosticLines(std::u16string_view kind, const base::SourceLocation& where,
                               std::u16string_view message) {
  // A file as a whole (line 0) is named without a line.
  std::u16string prefix = u"prexle: ";
  if (where.known()) {
    prefix = platform::nativePath(where.file) + u":" + text::decimal(where.line) + u": ";
  } else if (!where.file.empty()) {
    prefix = platform::nativePath(where.file) + u": ";
  }
  std::u16string out;
  for (std::u16string_view line : text::splitLineViews(message)) {
    line = text::trimBlanks(line);
    // "Note: ..." needs no "note:" before it.
    if (out.empty() && line.size() > kind.size() + 2 && text::startsWithNoCase(line, kind) &&
        line.substr(kind.size(), 2) == u": ") {
      line.remove_prefix(kind.size() + 2);
    }
    if (line.empty()) continue;
    out += prefix + std::u16string(out.empty() ? kind : u"note") + u": " + std::u16string(line) + u"\n";
  }
  if (out.empty()) out = prefix + std::u16string(kind) + u":\n";
  return out;
}

void ConsoleReporter::write(const std::u16string& lines) {
  if (!platform::writeStandardError(text::encodeUtf8(lines))) unwritten_ += lines;
}

void ConsoleReporter::fatalError(std::u16string_view message, const base::SourceLocation& where) {
  write(diagnosticLines(u"error", where, message));
}

void ConsoleReporter::note(std::u16string_view message, const base::SourceLocation& where) {
  write(diagnosticLines(u"note", where, message));
}

void ConsoleReporter::pioError(std::u16string_view statement, const base::SourceLocation& where) {
  ++errorCount_;
  write(diagnosticLines(u"error", where, statement));
}

void ConsoleReporter::writeFailed(std::u16string_view message) {
  ++errorCount_;
  write(diagnosticLines(u"error", {}, message));
}

}  // namespace app
