#include "preprocessor/array_blocks.h"

#include <chrono>

#include "base/fatal_error.h"
#include "base/logs.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/pending_file.h"
#include "preprocessor/directive_line.h"
#include "preprocessor/source_guard.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"

namespace pre {
namespace {

// A generator that has not ended by then is taken to hang.
constexpr std::chrono::seconds kGeneratorLimit{30};
constexpr std::u16string_view kMissingGenerated =
    u"A file referenced by an  #ARRAYINCLUDE directive cannot be found";

// Puts a block end on a line of its own, in the capitalisation given; what
// stood after it on the line goes.
void splitAtBlockEnd(std::u16string& line, std::u16string_view keyword) {
  const size_t at = text::findNoCase(line, keyword);
  if (at == std::u16string::npos) return;
  line = line.substr(0, at) + text::kCrLf + std::u16string(keyword);
}

}  // namespace

// Each test sees the line as the earlier ones left it: inside a block an
// #ARRAYSTART or #ARRAYINCLUDE line is description, commented before its own
// test.
bool ArrayBlocks::handleLine(std::u16string& lineBuffer, bool& inArrayBlock, platform::Host& host) {
  if (text::isDirective(lineBuffer, kArrayGenerateKeyword)) {
    arrayGenerate_ = true;
    commentInPlace(lineBuffer);
  }
  if (text::isDirective(lineBuffer, kArrayEndKeyword)) {
    commentInPlace(lineBuffer);
    inArrayBlock = false;
    if (arrayGenerate_) generate(host);
  }
  if (inArrayBlock) collectBlockLine(lineBuffer);
  if (text::isDirective(lineBuffer, kArrayStartKeyword)) {
    startBlock(lineBuffer);
    inArrayBlock = true;
  }
  if (!text::isDirective(lineBuffer, kArrayIncludeKeyword)) return false;
  includeGenerated(lineBuffer);
  return true;
}

void ArrayBlocks::startBlock(std::u16string& lineBuffer) {
  lineBuffer = std::u16string(text::trimLeadingBlanks(lineBuffer));
  const std::u16string workLine = text::normaliseBlanks(lineBuffer);
  const std::u16string name(text::field(workLine, 4));
  arrayConfigFile_ = u"z_" + name + u".cfg";
  arrayToolArgs_ = u"-cfgin " + arrayConfigFile_ + u" -progout " + u"z_" + name + u".bas";
  arrayConfigText_ = u"*" + text::lower(text::field(workLine, 2)) + u" " +
                     text::lower(text::field(workLine, 3)) + u" " + name + text::kCrLf;
  commentInPlace(lineBuffer);
}

void ArrayBlocks::collectBlockLine(std::u16string& lineBuffer) {
  // "':" lines let the description stand in the source as comments; only the
  // apostrophe goes, the indentation stays.
  const size_t indent = lineBuffer.size() - text::trimLeadingBlanks(lineBuffer).size();
  if (lineBuffer.compare(indent, 2, u"':") == 0) lineBuffer.erase(indent, 1);
  arrayConfigText_ += lineBuffer + text::kCrLf;
  commentInPlace(lineBuffer);
}

void ArrayBlocks::generate(platform::Host& host) {
  // An end with no block before it has nothing to describe.
  if (arrayConfigFile_.empty()) {
    logs_.note(u"#ARRAYEND without #ARRAYSTART: the array generator was not run");
    return;
  }
  if (generator_.program.empty()) base::fail(generator_.unavailable);
  guard_.refuseToOverwrite(arrayConfigFile_);
  // The run goes on either way: a missing generated file is reported where it
  // is included. The notices only say why it may be missing or stale.
  // Replaced whole like the result: a link at the name is not followed.
  if (!platform::PendingFile(arrayConfigFile_).commit(text::encodeUtf8(arrayConfigText_))) {
    logs_.note(u"The array description " + arrayConfigFile_ + u" could not be written");
  }
  // Quoted only when it must be, so a bare name runs as it always has.
  const std::u16string& program = generator_.program;
  const bool quote = program.find(u' ') != std::u16string::npos;
  const std::u16string commandLine = (quote ? u"\"" + program + u"\"" : program) + u" " + arrayToolArgs_;
  switch (host.runAndWait(commandLine, kGeneratorLimit)) {
    case platform::ChildEnd::succeeded: break;
    case platform::ChildEnd::failed:
      logs_.note(u"The array generator did not run or reported an error: " + commandLine);
      break;
    case platform::ChildEnd::timedOut:
      logs_.note(u"The array generator had not ended after " + text::decimal(kGeneratorLimit.count()) +
                 u" seconds and was stopped: " + commandLine);
      break;
  }
}

void ArrayBlocks::includeGenerated(std::u16string& lineBuffer) {
  const std::u16string workLine = text::normaliseBlanks(lineBuffer);
  const std::u16string fileName = u"z_" + std::u16string(text::field(workLine, 2)) + u".bas";
  auto bytes = platform::readFileBytes(fileName);
  if (!bytes) {
    base::fail(std::u16string(kMissingGenerated) + text::kCrLf + u"File Not FOUND :" + fileName + text::kCrLf);
  }
  std::u16string inserted = u"'" + lineBuffer + text::kCrLf + text::kCrLf;
  for (auto& line : text::splitLines(text::decodeUtf8(*bytes))) {
    splitAtBlockEnd(line, u"End CFunction");
    splitAtBlockEnd(line, u"End CSub");
    inserted += line + text::kCrLf;
  }
  lineBuffer = inserted + text::kCrLf;
}

}  // namespace pre
