#include "settings/config_values.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/text_case.h"

namespace morva {

std::optional<double> ParseDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    std::size_t digits = 0;
    for (bool point = false; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    return std::strtod(std::string(text).c_str(), nullptr);
}

std::optional<bool> ParseFlag(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    const std::string word = first == std::string_view::npos
                                 ? ""
                                 : LowerCase(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    if (word == "true") return true;
    if (word == "false") return false;
    if (const auto number = ParseDecimal(text)) return *number != 0.0;
    return std::nullopt;
}

std::optional<std::int16_t> ParseInt16(std::string_view text) {
    const auto number = ParseDecimal(text);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);  // the default rounding mode sends halves to even
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<int> ParsePort(std::string_view text) {
    const auto number = ParseDecimal(text);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < -32768.0 || rounded > 65535.0) return std::nullopt;
    const int port = static_cast<int>(rounded);
    return port < 0 ? port + 65536 : port;
}

}  // namespace morva
