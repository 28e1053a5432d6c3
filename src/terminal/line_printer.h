#pragma once

#include <cstdio>
#include <string>

#include "platform/pane.h"

namespace morva {

// Writes pane lines to a stream, one flushed line at a time: 24-bit ANSI colours when the stream
// is a terminal, plain text otherwise. A prefix names the pane the line belongs to.
class LinePrinter {
public:
    LinePrinter(std::FILE* out, bool colors) : out_(out), colors_(colors) {}
    // A printer for standard output, in colour when it is a terminal.
    static LinePrinter forStdout();

    void print(const std::string& prefix, const PaneLine& line) const;
    // The text print() writes, without writing it.
    std::string format(const std::string& prefix, const PaneLine& line) const;

private:
    void addRun(std::string& out, const Run& run) const;

    std::FILE* out_;
    bool colors_;
};

}  // namespace morva
