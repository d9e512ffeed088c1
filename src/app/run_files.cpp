#include "app/run_files.h"

#include "base/fatal_error.h"
#include "platform/files.h"
#include "preprocessor/source_guard.h"
#include "text/utf8.h"

namespace app {
namespace {

void appendLine(platform::AppendFile* file, std::u16string_view line) {
  if (!file) return;
  // A failed write is not reported: the report files are a courtesy.
  file->append(text::encodeUtf8(std::u16string(line) + u"\r\n"));
}

}  // namespace

void failedToCreate(const std::u16string& path) { base::fail(u"Failed to created file " + path); }

RunFiles::RunFiles(std::u16string dataFolder, const pre::SourceGuard& guard)
    : dataFolder_(std::move(dataFolder)), guard_(guard) {}
RunFiles::~RunFiles() = default;

void RunFiles::createPioReport() {
  guard_.refuseToOverwrite(pioReportPath());
  pioReport_ = platform::AppendFile::create(pioReportPath());
  if (!pioReport_) failedToCreate(pioReportPath());
}

void RunFiles::startRunLog() {
  if (runLogStarted_) return;
  guard_.refuseToOverwrite(runLogPath());
  runLog_ = platform::AppendFile::create(runLogPath());
  if (!runLog_) failedToCreate(runLogPath());
  runLogStarted_ = true;
}

void RunFiles::closePioReport() { pioReport_.reset(); }

void RunFiles::closeRunLog() { runLog_.reset(); }

void RunFiles::logLine(std::u16string_view line) { appendLine(runLog_.get(), line); }

void RunFiles::pioErrorLine(std::u16string_view line) { appendLine(pioReport_.get(), line); }

}  // namespace app
