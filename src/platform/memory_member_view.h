#pragma once

#include <vector>

#include "platform/member_view.h"

namespace morva {

// A member list held in memory, for the terminal face and the tests.
class MemoryMemberView : public MemberView {
public:
    void insertRow(int row, const MemberRow& look) override;
    void removeRow(int row) override;
    void restyleRow(int row, const MemberRow& look) override;
    void clear() override { rows_.clear(); }
    int selectedRow() const override { return selected_ <= count() ? selected_ : 0; }

    void select(int row) { selected_ = row; }
    int count() const { return static_cast<int>(rows_.size()); }
    const MemberRow& row(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }
    const std::vector<MemberRow>& rows() const { return rows_; }

private:
    std::vector<MemberRow> rows_;
    int selected_ = 0;
};

}  // namespace morva
