#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/pane.h"

namespace morva {

// A pane held in memory, one character per byte, each with its colour. The terminal face prints
// from it and the tests read it back.
class MemoryPane : public Pane {
public:
    int textLength() const override { return static_cast<int>(text_.size()); }
    int caret() const override { return caret_; }
    void setCaret(int position) override;
    int selectionLength() const override { return selection_; }
    void setSelectionLength(int length) override;
    void setInsertColor(Rgb color) override { insertColor_ = color; }
    void replaceSelection(const std::string& text) override;
    void clear() override;

    const std::string& text() const { return text_; }
    Rgb colorAt(int position) const { return colors_.at(static_cast<std::size_t>(position)); }
    // The text as (colour, text) runs of equal colour, in order.
    std::vector<std::pair<Rgb, std::string>> runs() const;
    // The lines of the text, without their CR LF.
    std::vector<std::string> lines() const;

protected:
    Rgb insertColor() const { return insertColor_; }

private:
    std::string text_;
    std::vector<Rgb> colors_;
    int caret_ = 0;
    int selection_ = 0;
    Rgb insertColor_;
};

}  // namespace morva
