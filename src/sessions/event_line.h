#pragma once

#include <optional>
#include <string_view>

#include "sessions/chat_event.h"

namespace morva {

// The number at the start of a text the way the event lines are read: blanks, tabs and line feeds
// are skipped, reading stops at the first character that cannot continue the number; 0 when there
// is none.
long LeadingNumber(std::string_view text);

// The event of one text-protocol line (without its CR LF), or nothing when the number in its first
// four characters is outside 1001 to 3000. A leading line feed is dropped. The head before the
// first double quote (less the character before it) is split at every single blank: the number,
// the kind, then name, flags, product and ping; the text runs from after that quote up to the
// line's last character. The views point into line.
std::optional<ChatEvent> ParseEventLine(std::string_view line);

}  // namespace morva
