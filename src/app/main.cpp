#include "app/main.h"

namespace app {

int prexleMain(const std::vector<std::u16string>&) { return 0; }

}  // namespace app
