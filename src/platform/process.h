#pragma once

#include <cstdint>

namespace platform {

/// Makes the process safe from the environment it was started in: a reader
/// that goes away or a file-size limit makes a write fail (and the run report
/// it) instead of killing the run half way, standard streams that were closed
/// at start are opened on the null device, so that no file the run opens
/// takes their place, and a termination request removes the run's temporary
/// files first (see interruption.h).
void prepareProcess();

/// This process's id, as other processes see it.
uint32_t currentProcessId();

/// Whether a process of that id is running (or cannot be told apart from one
/// that is, such as one of another user).
bool processRunning(uint32_t processId);

/// Ends this process at once, as an uncatchable kill would: nothing is
/// cleaned up. For fault tests.
[[noreturn]] void killThisProcess();

}  // namespace platform
