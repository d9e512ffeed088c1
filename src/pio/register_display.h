#pragma once

#include <cstdint>
#include <string_view>

#include "pio/line_result.h"
#include "pio/register_fields.h"

namespace pio {

struct PioContext;

/// With "showregs" in force, writes the bit picture of a directive's change
/// to the report (the line, a bit ruler with the field label, the old image,
/// the current image of (currentPio, currentSm) and its name, an empty line)
/// and gives no word, since the picture shows the line; otherwise writes
/// nothing and gives a directive.
LineResult showRegisterChange(const PioContext& ctx, RegisterKind registerKind, int64_t oldValue,
                              std::u16string_view label, std::u16string_view line);

}  // namespace pio
