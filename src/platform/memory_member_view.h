#pragma once

#include <vector>

#include "platform/member_view.h"
#include "platform/ranked_list.h"

namespace morva {

// A member list held in memory, for the terminal face and the tests. Rows are kept in a ranked list
// so that a channel's members leaving one by one costs linear time, not quadratic.
class MemoryMemberView : public MemberView {
public:
    void insertRow(int row, const MemberRow& look) override;
    void removeRow(int row) override;
    void restyleRow(int row, const MemberRow& look) override;
    void clear() override { rows_.clear(); }
    int selectedRow() const override { return selected_ <= count() ? selected_ : 0; }

    void select(int row) { selected_ = row; }
    int count() const { return static_cast<int>(rows_.size()); }
    const MemberRow& row(int row) const;
    // Every row, in order.
    std::vector<MemberRow> rows() const { return {rows_.begin(), rows_.end()}; }

private:
    RankedList<MemberRow>::Slot slotOf(int row) const;

    RankedList<MemberRow> rows_;
    int selected_ = 0;
};

}  // namespace morva
