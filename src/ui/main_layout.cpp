#include "ui/main_layout.h"

namespace morva {

MainLayout FormLayout(const MainLayoutInput& in) {
    const double W = in.clientWidth, H = in.clientHeight, h = in.inputHeight;
    MainLayout out;
    const double chatWidth = W - 3545.742;
    const double chatHeight = in.whispersShown ? H - 2300 : H - 700;
    out.rtbChat = {133.176, 120, chatWidth, chatHeight};
    out.lblChannel = {W - 3265.038, 120, std::nullopt, std::nullopt};
    const double listHeight = in.maximized && !in.whispersShown ? H - h - 780 : H - h - 767;
    out.lvChannel = {W - 3265.038, std::nullopt, in.labelWidth + 20, listHeight};
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
