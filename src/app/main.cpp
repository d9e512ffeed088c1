#include "app/main.h"

#include "app/run_once.h"
#include "app/shell_form.h"
#include "app/startup.h"
#include "app/window_reporter.h"
#include "platform/host.h"
#include "platform/process.h"

namespace app {

const char16_t kVersionText[] = PREXLE_VERSION_TEXT;

int runOnDesktop(const std::vector<std::u16string>& arguments, platform::Host& host) {
  if (!isEditorForm(arguments)) return runShellForm(arguments, host);
  WindowReporter reporter(host);
  return runRequest([&arguments] { return editorFormRequest(arguments); }, reporter, host).resultWritten ? 0 : 1;
}

int prexleMain(const std::vector<std::u16string>& arguments) {
  platform::prepareProcess();
  auto host = platform::Host::create();
  return runOnDesktop(arguments, *host);
}

}  // namespace app
