#include "platform/memory_member_view.h"

namespace morva {

void MemoryMemberView::insertRow(int row, const MemberRow& look) {
    rows_.insert(rows_.begin() + (row - 1), look);
}

void MemoryMemberView::removeRow(int row) {
    rows_.erase(rows_.begin() + (row - 1));
}

void MemoryMemberView::restyleRow(int row, const MemberRow& look) {
    rows_.at(static_cast<std::size_t>(row - 1)) = look;
}

}  // namespace morva
