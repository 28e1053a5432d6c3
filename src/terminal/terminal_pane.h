#pragma once

#include <string>
#include <utility>

#include "platform/memory_pane.h"
#include "terminal/line_printer.h"

namespace morva {

// A pane of the terminal face: it holds its lines like a memory pane, so its length stays true
// for the trim, and prints each line the moment it is appended.
class TerminalPane : public MemoryPane {
public:
    TerminalPane(const LinePrinter& printer, std::string prefix)
        : printer_(printer), prefix_(std::move(prefix)) {}

    void appendLine(const PaneLine& line) override;

private:
    const LinePrinter& printer_;
    std::string prefix_;
};

}  // namespace morva
