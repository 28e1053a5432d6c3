#include "moderation/command_line.h"

#include <algorithm>

#include "platform/text_case.h"

namespace morva {

CommandLine SplitCommandLine(std::string_view line, std::size_t prefixLength) {
    const std::string_view rest = line.substr(std::min(prefixLength, line.size()));
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) return {LowerCase(rest), {}};
    return {LowerCase(rest.substr(0, blank)), std::string(rest.substr(blank + 1))};
}

std::vector<std::string> SplitList(std::string_view list) {
    constexpr std::string_view Separator = ", ";
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = list.find(Separator, start)) != std::string_view::npos;
         start = at + Separator.size())
        pieces.emplace_back(list.substr(start, at - start));
    pieces.emplace_back(list.substr(start));
    return pieces;
}

}  // namespace morva
