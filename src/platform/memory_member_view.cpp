#include "platform/memory_member_view.h"

#include <stdexcept>

namespace morva {

// The core only ever appends; a row put before others rebuilds the list, which keeps that rare case
// simple.
void MemoryMemberView::insertRow(int row, const MemberRow& look) {
    if (row < 1 || row > count() + 1) throw std::out_of_range("MemoryMemberView::insertRow");
    if (row == count() + 1) {
        rows_.push_back(look);
        return;
    }
    std::vector<MemberRow> all = rows();
    all.insert(all.begin() + (row - 1), look);
    rows_.clear();
    for (MemberRow& kept : all) rows_.push_back(std::move(kept));
}

void MemoryMemberView::removeRow(int row) {
    rows_.erase(slotOf(row));
}

void MemoryMemberView::restyleRow(int row, const MemberRow& look) {
    rows_.at(slotOf(row)) = look;
}

const MemberRow& MemoryMemberView::row(int row) const {
    return rows_.at(slotOf(row));
}

RankedList<MemberRow>::Slot MemoryMemberView::slotOf(int row) const {
    if (row < 1 || row > count()) throw std::out_of_range("MemoryMemberView row");
    return rows_.slotAt(static_cast<std::size_t>(row - 1));
}

}  // namespace morva
