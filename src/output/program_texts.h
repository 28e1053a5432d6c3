#pragma once

#include <string_view>

namespace morva {

// The program's name and version as its captions, the "ver" answer and the idle message give them.
inline constexpr std::string_view TitleText = "Morva Chat v1.0 by Quorin [Binary Edition]";
inline constexpr std::string_view VersionText = "v1.1 by Quorin [Binary Edition]";
// The rule printed under the title.
inline constexpr std::string_view SeparatorLine = "---------------------------------------";

}  // namespace morva
