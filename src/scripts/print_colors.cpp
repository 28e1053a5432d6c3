#include "scripts/print_colors.h"

#include <algorithm>
#include <array>

#include "output/palette.h"
#include "platform/text_case.h"

namespace morva {

namespace {

struct ColorName {
    std::string_view name;
    Rgb color;
};

constexpr std::array<ColorName, 11> ColorNames{{
    {"white", ColorWhite},
    {"grey", ColorGrey},
    {"gray", ColorGrey},
    {"red", ColorRed},
    {"orange", ColorChannel},
    {"yellow", ColorEmote},
    {"cyan", ColorOwnName},
    {"blue", ColorUserName},
    {"info", ColorInfo},
    {"status", ColorStatus},
    {"error", ColorError},
}};

}  // namespace

std::optional<Rgb> NamedColor(std::string_view name) {
    const auto found = std::ranges::find_if(
        ColorNames, [name](const ColorName& entry) { return EqualsNoCase(entry.name, name); });
    if (found == ColorNames.end()) return std::nullopt;
    return found->color;
}

}  // namespace morva
