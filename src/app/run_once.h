#pragma once

#include <functional>

#include "app/end_of_run.h"

namespace platform {
class Host;
}

namespace app {

class Reporter;
struct RunRequest;

/// Runs the request that makeRequest builds, whichever door it came
/// through. An error that stops the run, in making the request or on the
/// way, goes to the reporter, with the line under way when there is one.
RunOutcome runRequest(const std::function<RunRequest()>& makeRequest, Reporter& reporter, platform::Host& host);

}  // namespace app
