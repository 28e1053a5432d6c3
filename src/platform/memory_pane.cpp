#include "platform/memory_pane.h"

#include <stdexcept>

namespace morva {

namespace {

// The characters a line puts in the text, in its colours: stamp, runs, then the CR LF.
Runs Pieces(const PaneLine& line) {
    Runs pieces{line.stamp};
    pieces.insert(pieces.end(), line.runs.begin(), line.runs.end());
    pieces.back().text += "\r\n";
    return pieces;
}

std::string LineText(const PaneLine& line) {
    std::string text = line.stamp.text;
    for (const Run& run : line.runs) text += run.text;
    return text;
}

int CountedLength(const PaneLine& line) {
    return static_cast<int>(LineText(line).size()) + 2;
}

}  // namespace

void MemoryPane::appendLine(const PaneLine& line) {
    lines_.push_back(line);
    length_ += CountedLength(line);
}

void MemoryPane::dropFront(int atLeast) {
    for (int dropped = 0; dropped < atLeast && !lines_.empty(); lines_.pop_front()) {
        const int counted = CountedLength(lines_.front());
        dropped += counted;
        length_ -= counted;
    }
}

void MemoryPane::clear() {
    lines_.clear();
    length_ = 0;
}

std::vector<std::string> MemoryPane::lines() const {
    std::vector<std::string> result;
    for (const PaneLine& line : lines_) result.push_back(LineText(line));
    return result;
}

std::string MemoryPane::text() const {
    std::string result;
    for (const PaneLine& line : lines_) result += LineText(line) + "\r\n";
    return result;
}

Rgb MemoryPane::colorAt(int position) const {
    if (position < 0) throw std::out_of_range("MemoryPane::colorAt");
    for (const PaneLine& line : lines_) {
        for (const Run& piece : Pieces(line)) {
            if (position < static_cast<int>(piece.text.size())) return piece.color;
            position -= static_cast<int>(piece.text.size());
        }
    }
    throw std::out_of_range("MemoryPane::colorAt");
}

std::vector<std::pair<Rgb, std::string>> MemoryPane::runs() const {
    std::vector<std::pair<Rgb, std::string>> result;
    for (const PaneLine& line : lines_) {
        for (const Run& piece : Pieces(line)) {
            if (piece.text.empty()) continue;
            if (result.empty() || !(result.back().first == piece.color)) result.emplace_back(piece.color, "");
            result.back().second += piece.text;
        }
    }
    return result;
}

}  // namespace morva
