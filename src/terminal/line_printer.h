#pragma once

#include <cstdio>
#include <string>

#include "platform/pane.h"
#include "platform/timer.h"

namespace morva {

// Writes pane lines to a stream: 24-bit ANSI colours when the stream is a terminal, plain text
// otherwise. A prefix names the pane the line belongs to. Given a flush, the stream is flushed once
// when the work at hand is done (a reader still sees each line at once, without a write per line
// during a flood); without one, after each line.
class LinePrinter {
public:
    LinePrinter(std::FILE* out, bool colors, Deferred* flush = nullptr);
    // A printer for standard output, in colour when it is a terminal.
    static LinePrinter forStdout(Deferred& flush);

    void print(const std::string& prefix, const PaneLine& line) const;
    // The text print() writes, without writing it.
    std::string format(const std::string& prefix, const PaneLine& line) const;

private:
    void addRun(std::string& out, const Run& run) const;

    std::FILE* out_;
    bool colors_;
    Deferred* flush_;
};

}  // namespace morva
