#include "platform/process.h"

namespace platform {

// Windows raises no signal for a closed pipe or a file-size limit, and a GUI
// program starts without standard streams anyway: nothing to prepare.
void prepareProcess() {}

}  // namespace platform
