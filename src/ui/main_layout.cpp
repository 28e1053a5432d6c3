#include "ui/main_layout.h"

#include <algorithm>

namespace morva {

namespace {
// The column of the channel label and the member list: its designed width, the narrowest it gets,
// and the share of the width it keeps in a small window.
constexpr double SideColumn = 3265.038, NarrowSide = 1500, SideShare = 0.28;
// From the column's left edge to the right end of the label, and from the chat's right edge to it.
constexpr double LabelInset = 130, ChatGap = 280.704;
}  // namespace

// In a small window the member column gives up width before the chat does; at the designed size
// and above, the designed formulas hold.
MainLayout FormLayout(const MainLayoutInput& in) {
    const double W = in.clientWidth, H = in.clientHeight, h = in.inputHeight;
    MainLayout out;
    const double side = std::clamp(SideShare * W, NarrowSide, SideColumn);
    const bool narrowed = side < SideColumn;
    const double chatWidth = W - side - ChatGap;
    const double chatHeight = in.whispersShown ? H - 2300 : H - 700;
    out.rtbChat = {133.176, 120, chatWidth, chatHeight};
    const double labelWidth = narrowed ? side - LabelInset : in.labelWidth;
    out.lblChannel = {W - side, 120, narrowed ? std::optional(labelWidth) : std::nullopt, std::nullopt};
    const double listHeight = in.maximized && !in.whispersShown ? H - h - 780 : H - h - 767;
    out.lvChannel = {W - side, std::nullopt, labelWidth + 20, listHeight};
    if (in.whispersShown)
        out.rtbWhispers = Placement{133.76, chatHeight + 240, chatWidth, H - chatHeight - h - 446};
    out.txtSend = {133.176, H - 500, W - 206, std::nullopt};
    return out;
}

TwipsRect Place(const TwipsRect& current, const Placement& placement) {
    const TwipsRect placed{placement.left.value_or(current.left), placement.top.value_or(current.top),
                           placement.width.value_or(current.width),
                           placement.height.value_or(current.height)};
    return placed.width < 0 || placed.height < 0 ? current : placed;
}

}  // namespace morva
