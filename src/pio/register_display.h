#pragma once

#include <cstdint>
#include <string_view>

namespace pio {

struct PioContext;

/// Register selectors of the bit picture.
enum RegisterKind { kExecctrl = 1, kPinctrl = 2, kShiftctrl = 3 };

/// With "showregs" in force, writes the bit picture of a directive's change
/// to the report (the line, a bit ruler with the field label, the old image,
/// the current image of (currentPio, currentSm) and its name, an empty line)
/// and returns -3; otherwise writes nothing and returns -1.
int showRegisterChange(const PioContext& ctx, int registerKind, int64_t oldValue,
                       std::u16string_view label, std::u16string_view line);

}  // namespace pio
