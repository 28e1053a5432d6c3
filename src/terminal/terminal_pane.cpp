#include "terminal/terminal_pane.h"

namespace morva {

void TerminalPane::appendLine(const PaneLine& line) {
    MemoryPane::appendLine(line);
    printer_.print(prefix_, line);
}

}  // namespace morva
