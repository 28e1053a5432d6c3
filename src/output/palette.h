#pragma once

#include "platform/color.h"

namespace morva {

// The program's colours. They never change while it runs.
constexpr Rgb ColorTimeStamp = RGB(111, 111, 111);
constexpr Rgb ColorOperator = RGB(101, 182, 255);
constexpr Rgb ColorEmote = RGB(250, 250, 31);
constexpr Rgb ColorGrey = RGB(128, 128, 128);
constexpr Rgb ColorChannel = RGB(255, 128, 0);
constexpr Rgb ColorStatus = RGB(192, 192, 192);
constexpr Rgb ColorError = RGB(251, 83, 0);
constexpr Rgb ColorWhisperFrom = RGB(128, 128, 128);
constexpr Rgb ColorWhisperTo = RGB(128, 128, 128);
constexpr Rgb ColorOwnName = RGB(0, 255, 255);
constexpr Rgb ColorUserName = RGB(85, 174, 255);
constexpr Rgb ColorJoin = RGB(192, 192, 192);
constexpr Rgb ColorLeave = RGB(128, 128, 128);
constexpr Rgb ColorInfo = RGB(126, 161, 212);
constexpr Rgb ColorWhite = RGB(255, 255, 255);
constexpr Rgb ColorPaleCyan = RGB(128, 255, 255);
constexpr Rgb ColorRed = RGB(255, 0, 0);

}  // namespace morva
