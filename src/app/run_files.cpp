#include "app/run_files.h"

#include "app/reporter.h"
#include "app/run_state.h"
#include "base/fatal_error.h"
#include "platform/console.h"
#include "platform/files.h"
#include "preprocessor/source_guard.h"
#include "text/utf8.h"

namespace app {


ReportChannel::ReportChannel(Destination destination) : destination_(std::move(destination)) {}
ReportChannel::~ReportChannel() = default;

bool ReportChannel::open() {
  bytes_.clear();
  if (destination_.sink == Sink::file) {
    file_ = platform::AppendFile::create(destination_.path);
    if (!file_) return false;
  }
  opened_ = true;
  return true;
}

void ReportChannel::append(std::u16string_view line) {
  if (!opened_) return;
  const size_t start = bytes_.size();
  bytes_ += text::encodeUtf8(line);
  bytes_ += "\r\n";
  const std::string_view added = std::string_view(bytes_).substr(start);
  bool written = true;
  if (destination_.sink == Sink::file) written = file_ && file_->append(added);
  if (destination_.sink == Sink::standardOutput) written = platform::writeStandardOutput(added);
  lost_ = lost_ || !written;
}

void ReportChannel::close() {
  if (file_ && !file_->close()) lost_ = true;
  file_.reset();
}

RunFiles::RunFiles(const RunSettings& settings, const pre::SourceGuard& guard, Reporter& reporter,
                   const base::SourceLocation& where)
    : settings_(settings),
      guard_(guard),
      reporter_(reporter),
      where_(where),
      pioReport_(settings.pioReport),
      runLog_(settings.runLog) {}
RunFiles::~RunFiles() = default;

const std::u16string& RunFiles::lineMapPath() const { return settings_.lineMapPath; }

void RunFiles::createPioReport() {
  const Destination& report = pioReport_.destination();
  if (report.sink == Sink::file) guard_.refuseToOverwrite(report.path);
  if (!pioReport_.open()) base::failedToCreate(report.path);
}

void RunFiles::startRunLog() {
  if (runLog_.isOpen()) return;
  const Destination& log = runLog_.destination();
  if (log.sink == Sink::file) guard_.refuseToOverwrite(log.path);
  if (!runLog_.open()) base::failedToCreate(log.path);
}

void RunFiles::close() {
  pioReport_.close();
  runLog_.close();
}

void RunFiles::logLine(std::u16string_view line) { runLog_.append(line); }

void RunFiles::pioErrorLine(std::u16string_view line) { pioReport_.append(line); }

void RunFiles::pioErrorFound(std::u16string_view statement, const base::SourceLocation& place) {
  reporter_.pioError(statement, place.known() ? place : where_);
}

void RunFiles::note(std::u16string_view message) { reporter_.note(message, where_); }

}  // namespace app
