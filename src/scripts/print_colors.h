#pragma once

#include <optional>
#include <string_view>

#include "platform/color.h"

namespace morva {

// The colour a script names for bot.print, in any case: white, grey (gray), red, orange, yellow, cyan,
// blue, and the pane's own info, status and error; nothing for another name.
std::optional<Rgb> NamedColor(std::string_view name);

}  // namespace morva
