#pragma once

namespace platform {

// A test seam of the file services: every step that can fail on a real disk
// (creating, writing, flushing, naming, renaming a file) is counted, and a
// test can make one of them fail, or end the process at once there, as a full
// disk or an uncatchable kill would.

/// Which step, counting from 0 since the plan was made, fails (failAt) or
/// ends the process with an uncatchable kill (killAt); -1 for none.
struct FileFaultPlan {
  int failAt = -1;
  int killAt = -1;
};

/// Starts counting anew with the plan.
void planFileFaults(FileFaultPlan plan);

/// The steps counted since the plan was made.
int fileStepsTaken();

/// Called by the file services before each step: true when it is to fail.
bool fileStepFails();

}  // namespace platform
