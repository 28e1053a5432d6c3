#pragma once

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
    const std::deque<PaneLine>& paneLines() const { return lines_; }
    // Each line's text, stamp included, without its CR LF.
    std::vector<std::string> lines() const;
    // The whole text: length() characters.
    std::string text() const;
    // The colour of one character of the text.
    Rgb colorAt(int position) const;
    // The text as (colour, text) runs of equal colour, in order.
    std::vector<std::pair<Rgb, std::string>> runs() const;

private:
    std::deque<PaneLine> lines_;
    int length_ = 0;
};

}  // namespace morva
