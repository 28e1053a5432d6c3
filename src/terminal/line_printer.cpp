#include "terminal/line_printer.h"

#include <unistd.h>

#include "platform/display_text.h"

namespace morva {

LinePrinter LinePrinter::forStdout() {
    return LinePrinter(stdout, ::isatty(STDOUT_FILENO) == 1);
}

std::string LinePrinter::format(const std::string& prefix, const Runs& runs) const {
    std::string line = prefix;
    for (const Run& run : runs) {
        if (colors_) {
            line += "\x1b[38;2;" + std::to_string(run.color.r) + ";" + std::to_string(run.color.g) + ";" +
                    std::to_string(run.color.b) + "m";
        }
        line += DisplayText(run.text);
    }
    if (colors_) line += "\x1b[0m";
    return line + "\n";
}

void LinePrinter::print(const std::string& prefix, const Runs& runs) const {
    const std::string line = format(prefix, runs);
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fflush(out_);
}

}  // namespace morva
