#pragma once

#include <optional>
#include <string>

#include "platform/color.h"

namespace morva {

// How one member's row looks.
struct MemberRow {
    std::string name;  // bytes as the server sent them
    int icon = 0;
    std::string toolTip;
    std::optional<Rgb> color;  // nothing: the list's own colour
    bool bold = false;
    friend bool operator==(const MemberRow&, const MemberRow&) = default;
};

// The visible member list: a mirror of the channel model, row for member in the same order. Rows
// count from 1; 0 means "no row". The core tells it every change and never reads rows back.
class MemberView {
public:
    virtual ~MemberView() = default;
    // Inserts a row before row (count + 1 appends).
    virtual void insertRow(int row, const MemberRow& look) = 0;
    virtual void removeRow(int row) = 0;
    // The row keeps its place (and its selection) and takes the new look.
    virtual void restyleRow(int row, const MemberRow& look) = 0;
    virtual void clear() = 0;
    // The row the operator selected, or 0.
    virtual int selectedRow() const = 0;
};

}  // namespace morva
