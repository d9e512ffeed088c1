#pragma once

namespace platform {

/// Makes the process safe from the environment it was started in: a reader
/// that goes away or a file-size limit makes a write fail (and the run report
/// it) instead of killing the run half way, and standard streams that were
/// closed at start are opened on the null device, so that no file the run
/// opens takes their place.
void prepareProcess();

}  // namespace platform
