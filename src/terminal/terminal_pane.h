#pragma once

#include <string>

#include "chat/add_chat.h"
#include "platform/memory_pane.h"
#include "terminal/line_printer.h"

namespace morva {

// A pane of the terminal face: it holds its text like any pane and prints each line the moment
// the line is complete.
class TerminalPane : public MemoryPane {
public:
    TerminalPane(const LinePrinter& printer, std::string prefix)
        : printer_(printer), prefix_(std::move(prefix)) {}

    void replaceSelection(const std::string& text) override;
    void clear() override;

private:
    const LinePrinter& printer_;
    std::string prefix_;
    Runs pending_;
};

}  // namespace morva
