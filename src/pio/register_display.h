#pragma once

#include <cstdint>
#include <string_view>

namespace pio {

struct PioContext;

/// The three configuration registers of a state machine, numbered as the bit
/// picture selects them.
enum class RegisterKind { execctrl = 1, pinctrl = 2, shiftctrl = 3 };

/// With "showregs" in force, writes the bit picture of a directive's change
/// to the report (the line, a bit ruler with the field label, the old image,
/// the current image of (currentPio, currentSm) and its name, an empty line)
/// and returns -3; otherwise writes nothing and returns -1.
int showRegisterChange(const PioContext& ctx, RegisterKind registerKind, int64_t oldValue,
                       std::u16string_view label, std::u16string_view line);

}  // namespace pio
