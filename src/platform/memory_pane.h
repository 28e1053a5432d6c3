#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/pane.h"

namespace morva {

// A pane held in memory as whole lines. Its text is each line's stamp and runs ended by CR LF, so
// a line counts its bytes plus 2; the CR LF takes the colour of the line's last run. The terminal
// pane builds on it and the tests read it back.
class MemoryPane : public Pane {
public:
    void appendLine(const PaneLine& line) override;
    int length() const override { return length_; }
    void dropFront(int atLeast) override;
    void clear() override;

    // The lines as appended, oldest first.
    std::vector<PaneLine> paneLines() const;
    // Each line's text, stamp included, without its CR LF.
    std::vector<std::string> lines() const;
    // The whole text: length() characters.
    std::string text() const;
    // The colour of one character of the text.
    Rgb colorAt(int position) const;
    // The text as (colour, text) runs of equal colour, in order.
    std::vector<std::pair<Rgb, std::string>> runs() const;

private:
    // A pane is appended to for every line shown, so its lines are kept flat, without an allocation
    // per line: all their bytes in one string, their runs as colour and length, the stamp first.
    struct StoredRun {
        Rgb color;
        std::size_t length = 0;
    };
    struct StoredLine {
        std::size_t runCount = 0;  // the stamp included
        std::size_t bytes = 0;     // without the CR LF
    };

    void appendRun(const Run& run);

    std::string bytes_;
    // The bytes before it belong to lines dropped already.
    std::size_t bytesFront_ = 0;
    std::deque<StoredRun> runs_;
    std::deque<StoredLine> lines_;
    int length_ = 0;
};

}  // namespace morva
