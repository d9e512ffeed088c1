#include "app/read_loop.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/line_order.h"
#include "app/run.h"
#include "base/fatal_error.h"
#include "platform/memory.h"
#include "preprocessor/program_file.h"
#include "text/blanks.h"
#include "text/utf8.h"

namespace app {
namespace {

std::string sourceBytes(const RunSettings& settings) {
  auto bytes = pre::readProgramFile(settings.sourcePath);
  if (!bytes) {
    base::fail(u"The passed Corvane .bas file cannot be opened\r\nFile Not FOUND :" +
               settings.sourcePath +
               u"\r\nCheck that the Corvane Action menu is passing the correct parameters\r\n");
  }
  return std::move(*bytes);
}

// The next line of the source from pos, without its end (LF, CR LF or a lone
// CR); pos moves past the end. A final line end adds no empty line. The
// source stays UTF-8: each line is decoded as it is read.
std::string_view nextLine(std::string_view source, size_t& pos) {
  const size_t start = pos;
  const char* rest = source.data() + start;
  const size_t left = source.size() - start;
  const void* lf = std::memchr(rest, '\n', left);
  const size_t toLf = lf ? static_cast<const char*>(lf) - rest : left;
  const void* cr = std::memchr(rest, '\r', toLf);
  const size_t end = start + (cr ? static_cast<const char*>(cr) - rest : toLf);
  pos = end;
  if (pos < source.size()) pos += source[pos] == '\r' && pos + 1 < source.size() && source[pos + 1] == '\n' ? 2 : 1;
  return source.substr(start, end - start);
}

// The blocks still open after the line, and where each was opened.
void trackOpenBlocks(Run& run) {
  const pre::Reading& reading = run.reading;
  OpenedAt& at = run.openedAt;
  const size_t levels = static_cast<size_t>(std::max(reading.levels.level(), 0));
  if (at.levels.size() > levels) at.levels.resize(levels);
  while (at.levels.size() < levels) at.levels.push_back(run.where);
  const auto track = [&run](bool open, base::SourceLocation& openedAt) {
    if (open != openedAt.known()) openedAt = open ? run.where : base::SourceLocation{};
  };
  track(reading.inBlockComment, at.blockComment);
  track(reading.librarySection != pre::LibraryKind::none, at.librarySection);
  track(reading.inArrayBlock, at.arrayBlock);
}

// One reading from the first line; false when a line asked for the reading
// to start again from the first line.
bool readOnce(Run& run, std::string_view source) {
  pre::LineState& line = run.state.line;
  run.where = {run.state.settings.sourcePath, 0};
  std::u16string& output = run.reading.output.text;
  // Most lines reach the output, so it starts about as large as the source.
  output.reserve(source.size() + source.size() / 8);
  platform::preferLargePages(output.data(), output.capacity() * sizeof(char16_t));
  for (size_t pos = 0; pos < source.size();) {
    line.lineBuffer.clear();
    text::appendDecodedUtf8(line.lineBuffer, nextLine(source, pos));
    ++run.reading.sourceLineNumber;
    ++run.where.line;
    // A target line that was not emitted must not double a later line's entry.
    line.lineMapRepeat = false;
    if (run.state.target.espOption) {
      line.lineBuffer.erase(0, line.lineBuffer.size() - text::trimLeadingBlanks(line.lineBuffer).size());
    }
    const LineOutcome outcome = processMainLine(run);
    trackOpenBlocks(run);
    switch (outcome) {
      case LineOutcome::goOn: break;
      case LineOutcome::restartReading: return false;
      case LineOutcome::stopReading: return true;
    }
  }
  return true;
}

}  // namespace

// Whatever the previous reading left open would otherwise swallow or
// comment out the whole new reading. What lasts the run (defined symbols,
// options, library loads) stays.
void startReadingAgain(Run& run) {
  run.reading = pre::Reading();
  run.openedAt = {};
  run.pio.restartReading();
}

void readSource(Run& run) {
  RunState& state = run.state;
  const std::string bytes = sourceBytes(state.settings);
  const std::string_view source = text::skipByteOrderMark(bytes);
  while (!readOnce(run, source)) {
  }
  if (state.pioBlockSeen) {
    // The second reading assembles what the first one measured. A first
    // reading that stopped at #ENDCODE gets one too, up to the same line.
    state.secondReading = true;
    state.pioBlockSeen = false;
    startReadingAgain(run);
    while (!readOnce(run, source)) {
    }
  }
  // What is reported from here on belongs to no line.
  run.where = {};
}

}  // namespace app
