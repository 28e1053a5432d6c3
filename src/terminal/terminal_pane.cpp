#include "terminal/terminal_pane.h"

namespace morva {

void TerminalPane::replaceSelection(const std::string& text) {
    MemoryPane::replaceSelection(text);
    if (text.empty()) return;
    const bool endsLine = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    pending_.push_back(Run{insertColor(), endsLine ? text.substr(0, text.size() - 2) : text});
    if (!endsLine) return;
    printer_.print(prefix_, pending_);
    pending_.clear();
}

void TerminalPane::clear() {
    MemoryPane::clear();
    pending_.clear();
}

}  // namespace morva
