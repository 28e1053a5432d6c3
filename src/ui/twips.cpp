#include "ui/twips.h"

#include <QPaintDevice>

namespace morva {

TwipsScale TwipsScale::of(const QPaintDevice& device) {
    const auto perPixel = [](int dpi) { return dpi > 0 ? 1440.0 / dpi : 15.0; };
    return TwipsScale{perPixel(device.logicalDpiX()), perPixel(device.logicalDpiY())};
}

}  // namespace morva
