#include "platform/memory_pane.h"

#include <algorithm>

namespace morva {

void MemoryPane::setCaret(int position) {
    caret_ = std::clamp(position, 0, textLength());
    selection_ = std::min(selection_, textLength() - caret_);
}

void MemoryPane::setSelectionLength(int length) {
    selection_ = std::clamp(length, 0, textLength() - caret_);
}

void MemoryPane::replaceSelection(const std::string& text) {
    const auto start = static_cast<std::size_t>(caret_);
    const auto length = static_cast<std::size_t>(selection_);
    text_.replace(start, length, text);
    colors_.erase(colors_.begin() + caret_, colors_.begin() + caret_ + selection_);
    colors_.insert(colors_.begin() + caret_, text.size(), insertColor_);
    caret_ += static_cast<int>(text.size());
    selection_ = 0;
}

void MemoryPane::clear() {
    text_.clear();
    colors_.clear();
    caret_ = 0;
    selection_ = 0;
}

std::vector<std::pair<Rgb, std::string>> MemoryPane::runs() const {
    std::vector<std::pair<Rgb, std::string>> result;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (result.empty() || !(result.back().first == colors_[i])) result.emplace_back(colors_[i], "");
        result.back().second += text_[i];
    }
    return result;
}

std::vector<std::string> MemoryPane::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text_.find("\r\n", start)) != std::string::npos; start = end + 2)
        result.push_back(text_.substr(start, end - start));
    if (start < text_.size()) result.push_back(text_.substr(start));
    return result;
}

}  // namespace morva
