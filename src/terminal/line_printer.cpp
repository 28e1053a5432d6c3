#include "terminal/line_printer.h"

#include <unistd.h>

#include "platform/display_text.h"

namespace morva {

LinePrinter::LinePrinter(std::FILE* out, bool colors, Deferred* flush)
    : out_(out), colors_(colors), flush_(flush) {
    if (flush_) flush_->setWork([out] { std::fflush(out); });
}

LinePrinter LinePrinter::forStdout(Deferred& flush) {
    return LinePrinter(stdout, ::isatty(STDOUT_FILENO) == 1, &flush);
}

void LinePrinter::addRun(std::string& out, const Run& run) const {
    if (colors_) {
        out += "\x1b[38;2;" + std::to_string(run.color.r) + ";" + std::to_string(run.color.g) + ";" +
               std::to_string(run.color.b) + "m";
    }
    // Valid UTF-8, the usual case, is shown as it is, without a converted copy.
    if (IsValidUtf8(run.text)) {
        out += run.text;
    } else {
        out += DisplayText(run.text);
    }
}

std::string LinePrinter::format(const std::string& prefix, const PaneLine& line) const {
    std::string out = prefix;
    addRun(out, line.stamp);
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        // An empty run shows nothing and writes nothing, except that the line's last run always
        // sets its colour before the reset.
        if (!line.runs[i].text.empty() || i + 1 == line.runs.size()) addRun(out, line.runs[i]);
    }
    if (colors_) out += "\x1b[0m";
    return out + "\n";
}

void LinePrinter::print(const std::string& prefix, const PaneLine& line) const {
    const std::string out = format(prefix, line);
    std::fwrite(out.data(), 1, out.size(), out_);
    if (flush_) {
        flush_->schedule();
    } else {
        std::fflush(out_);
    }
}

}  // namespace morva
