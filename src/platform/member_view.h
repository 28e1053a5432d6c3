#pragma once

#include <string>

#include "platform/color.h"

namespace morva {

// The visible member list. Rows count from 1 in display order; 0 means "no row".
class MemberView {
public:
    virtual ~MemberView() = default;
    virtual void append(const std::string& text, int icon) = 0;
    virtual void insertAt(int row, const std::string& text, int icon) = 0;
    virtual void removeAt(int row) = 0;
    // The first row from the top whose text equals text, ASCII letters compared without case.
    virtual int find(const std::string& text) const = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual std::string text(int row) const = 0;
    virtual int icon(int row) const = 0;
    virtual void setToolTip(int row, const std::string& tip) = 0;
    virtual void setColor(int row, Rgb color) = 0;
    virtual void setBold(int row, bool bold) = 0;
    virtual int selectedRow() const = 0;
};

}  // namespace morva
