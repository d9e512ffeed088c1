#pragma once

#include "app/reporter.h"

namespace platform {
class Host;
}

namespace app {

/// The editor's way of telling: the fatal-error, PIO check and run-log
/// windows, and notices on the console or debugger for the rest.
class WindowReporter : public Reporter {
 public:
  explicit WindowReporter(platform::Host& host) : host_(host) {}

  /// Shows the fatal-error window; where no window can be made, its text
  /// goes out as a notice.
  void fatalError(std::u16string_view message, const base::SourceLocation& where) override;
  void note(std::u16string_view message, const base::SourceLocation& where) override;
  /// The report and its window carry PIO errors; nothing more to do.
  void pioError(std::u16string_view statement, const base::SourceLocation& where) override;
  void writeFailed(std::u16string_view message) override;
  void pioCheck(const PioCheck& check) override;
  void runLog(std::u16string_view path, const std::vector<std::u16string>& lines) override;

 private:
  platform::Host& host_;
};

}  // namespace app
