#include "platform/memory_member_view.h"

#include "platform/text_case.h"

namespace morva {

void MemoryMemberView::append(const std::string& text, int icon) {
    rows_.push_back(Row{text, icon, {}, {}, false});
}

void MemoryMemberView::insertAt(int row, const std::string& text, int icon) {
    rows_.insert(rows_.begin() + (row - 1), Row{text, icon, {}, {}, false});
}

void MemoryMemberView::removeAt(int row) {
    rows_.erase(rows_.begin() + (row - 1));
}

int MemoryMemberView::find(const std::string& text) const {
    for (int row = 1; row <= count(); ++row)
        if (EqualsNoCase(at(row).text, text)) return row;
    return 0;
}

}  // namespace morva
