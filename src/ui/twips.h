#pragma once

#include <cmath>

class QPaintDevice;

namespace morva {

// Sizes are kept in twips (1/1440 inch), as config.bot stores them; the screen's logical resolution
// turns them into pixels (15 twips to a pixel at 96 dots per inch).
struct TwipsScale {
    double x = 15, y = 15;  // twips per pixel, across and down

    static TwipsScale of(const QPaintDevice& device);

    int toPixelsX(double twips) const { return static_cast<int>(std::lround(twips / x)); }
    int toPixelsY(double twips) const { return static_cast<int>(std::lround(twips / y)); }
    double toTwipsX(int pixels) const { return pixels * x; }
    double toTwipsY(int pixels) const { return pixels * y; }
};

}  // namespace morva
