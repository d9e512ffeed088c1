#include "platform/file_faults.h"

#include "platform/process.h"

namespace platform {
namespace {

struct FaultState {
  FileFaultPlan plan;
  int steps = 0;
};

FaultState& state() {
  static FaultState faults;
  return faults;
}

}  // namespace

void planFileFaults(FileFaultPlan plan) { state() = FaultState{plan, 0}; }

int fileStepsTaken() { return state().steps; }

bool fileStepFails() {
  FaultState& faults = state();
  const int step = faults.steps++;
  if (step == faults.plan.killAt) killThisProcess();
  return step == faults.plan.failAt;
}

}  // namespace platform
