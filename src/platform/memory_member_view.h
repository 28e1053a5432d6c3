#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/member_view.h"

namespace morva {

// A member list held in memory, for the terminal face and the tests.
class MemoryMemberView : public MemberView {
public:
    struct Row {
        std::string text;
        int icon = 0;
        std::string toolTip;
        std::optional<Rgb> color;
        bool bold = false;
    };

    void append(const std::string& text, int icon) override;
    void insertAt(int row, const std::string& text, int icon) override;
    void removeAt(int row) override;
    int find(const std::string& text) const override;
    void clear() override { rows_.clear(); }
    int count() const override { return static_cast<int>(rows_.size()); }
    std::string text(int row) const override { return at(row).text; }
    int icon(int row) const override { return at(row).icon; }
    void setToolTip(int row, const std::string& tip) override { at(row).toolTip = tip; }
    void setColor(int row, Rgb color) override { at(row).color = color; }
    void setBold(int row, bool bold) override { at(row).bold = bold; }
    int selectedRow() const override { return selected_ <= count() ? selected_ : 0; }

    void select(int row) { selected_ = row; }
    const Row& row(int row) const { return at(row); }

private:
    Row& at(int row) { return rows_.at(static_cast<std::size_t>(row - 1)); }
    const Row& at(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }

    std::vector<Row> rows_;
    int selected_ = 0;
};

}  // namespace morva
