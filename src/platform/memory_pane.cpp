#include "platform/memory_pane.h"

#include <stdexcept>

namespace morva {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// The characters a line puts in the text, in its colours: stamp, runs, then the CR LF.
Runs Pieces(const PaneLine& line) {
    Runs pieces{line.stamp};
    pieces.insert(pieces.end(), line.runs.begin(), line.runs.end());
    pieces.back().text += LineEnd;
    return pieces;
}

std::string LineText(const PaneLine& line) {
    std::string text = line.stamp.text;
    for (const Run& run : line.runs) text += run.text;
    return text;
}

}  // namespace

void MemoryPane::appendRun(const Run& run) {
    bytes_ += run.text;
    runs_.push_back(StoredRun{run.color, run.text.size()});
}

void MemoryPane::appendLine(const PaneLine& line) {
    const std::size_t before = bytes_.size();
    appendRun(line.stamp);
    for (const Run& run : line.runs) appendRun(run);
    const std::size_t lineBytes = bytes_.size() - before;
    lines_.push_back(StoredLine{line.runs.size() + 1, lineBytes});
    length_ += static_cast<int>(lineBytes + LineEnd.size());
}

void MemoryPane::dropFront(int atLeast) {
    for (int dropped = 0; dropped < atLeast && !lines_.empty(); lines_.pop_front()) {
        const StoredLine& line = lines_.front();
        const int counted = static_cast<int>(line.bytes + LineEnd.size());
        dropped += counted;
        length_ -= counted;
        bytesFront_ += line.bytes;
        runs_.erase(runs_.begin(), runs_.begin() + static_cast<std::ptrdiff_t>(line.runCount));
    }
    // The dropped bytes go once they are the larger part, so each byte is moved at most once.
    if (bytesFront_ * 2 > bytes_.size()) {
        bytes_.erase(0, bytesFront_);
        bytesFront_ = 0;
    }
}

void MemoryPane::clear() {
    bytes_.clear();
    bytesFront_ = 0;
    runs_.clear();
    lines_.clear();
    length_ = 0;
}

std::vector<PaneLine> MemoryPane::paneLines() const {
    std::vector<PaneLine> result;
    std::size_t at = bytesFront_;
    auto run = runs_.begin();
    const auto nextRun = [&] {
        Run piece{run->color, bytes_.substr(at, run->length)};
        at += run->length;
        ++run;
        return piece;
    };
    for (const StoredLine& line : lines_) {
        PaneLine& rebuilt = result.emplace_back(PaneLine{nextRun(), {}});
        for (std::size_t i = 1; i < line.runCount; ++i) rebuilt.runs.push_back(nextRun());
    }
    return result;
}

std::vector<std::string> MemoryPane::lines() const {
    std::vector<std::string> result;
    for (const PaneLine& line : paneLines()) result.push_back(LineText(line));
    return result;
}

std::string MemoryPane::text() const {
    std::string result;
    for (const PaneLine& line : paneLines()) result += LineText(line) + std::string(LineEnd);
    return result;
}

Rgb MemoryPane::colorAt(int position) const {
    if (position < 0) throw std::out_of_range("MemoryPane::colorAt");
    for (const PaneLine& line : paneLines()) {
        for (const Run& piece : Pieces(line)) {
            if (position < static_cast<int>(piece.text.size())) return piece.color;
            position -= static_cast<int>(piece.text.size());
        }
    }
    throw std::out_of_range("MemoryPane::colorAt");
}

std::vector<std::pair<Rgb, std::string>> MemoryPane::runs() const {
    std::vector<std::pair<Rgb, std::string>> result;
    for (const PaneLine& line : paneLines()) {
        for (const Run& piece : Pieces(line)) {
            if (piece.text.empty()) continue;
            if (result.empty() || !(result.back().first == piece.color)) result.emplace_back(piece.color, "");
            result.back().second += piece.text;
        }
    }
    return result;
}

}  // namespace morva
