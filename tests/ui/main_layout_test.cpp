#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace morva {
namespace {

void ExpectPlacement(const char* control, const Placement& actual, const Placement& expected) {
    SCOPED_TRACE(control);
    const auto expectMeasure = [](const char* name, std::optional<double> got, std::optional<double> want) {
        SCOPED_TRACE(name);
        ASSERT_EQ(got.has_value(), want.has_value());
        if (want) {
            EXPECT_NEAR(*got, *want, 1e-9);
        }
    };
    expectMeasure("left", actual.left, expected.left);
    expectMeasure("top", actual.top, expected.top);
    expectMeasure("width", actual.width, expected.width);
    expectMeasure("height", actual.height, expected.height);
}

constexpr auto kept = std::nullopt;

TEST(FormLayout, PlacesTheControlsByTheClientSizeInEveryState) {
    const struct {
        const char* name;
        MainLayoutInput in;
        MainLayout expected;
    } cases[] = {
        {"normal, whispers pane shown",
         {12375, 7620, 405, true, false, 3135},
         {{133.176, 120, 8829.258, 5320},
          {9109.962, 120, kept, kept},
          {9109.962, kept, 3155, 6448},
          {133.176, 7120, 12169, kept},
          Placement{133.76, 5560, 8829.258, 1449}}},
        {"normal, whispers pane hidden",
         {12375, 7620, 405, false, false, 3135},
         {{133.176, 120, 8829.258, 6920},
          {9109.962, 120, kept, kept},
          {9109.962, kept, 3155, 6448},
          {133.176, 7120, 12169, kept},
          std::nullopt}},
        {"small: the member column yields width first",
         {6000, 4500, 405, false, false, 3135},
         {{133.176, 120, 4039.296, 3800},
          {4320, 120, 1550, kept},
          {4320, kept, 1570, 3328},
          {133.176, 4000, 5794, kept},
          std::nullopt}},
        {"maximised, whispers pane shown",
         {28800, 15000, 420, true, true, 3000},
         {{133.176, 120, 25254.258, 12700},
          {25534.962, 120, kept, kept},
          {25534.962, kept, 3020, 13813},
          {133.176, 14500, 28594, kept},
          Placement{133.76, 12940, 25254.258, 1434}}},
        {"maximised, whispers pane hidden",
         {28800, 15000, 420, false, true, 3000},
         {{133.176, 120, 25254.258, 14300},
          {25534.962, 120, kept, kept},
          {25534.962, kept, 3020, 13800},
          {133.176, 14500, 28594, kept},
          std::nullopt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MainLayout layout = FormLayout(c.in);
        ExpectPlacement("rtbChat", layout.rtbChat, c.expected.rtbChat);
        ExpectPlacement("lblChannel", layout.lblChannel, c.expected.lblChannel);
        ExpectPlacement("lvChannel", layout.lvChannel, c.expected.lvChannel);
        ExpectPlacement("txtSend", layout.txtSend, c.expected.txtSend);
        ASSERT_EQ(layout.rtbWhispers.has_value(), c.expected.rtbWhispers.has_value());
        if (layout.rtbWhispers) ExpectPlacement("rtbWhispers", *layout.rtbWhispers, *c.expected.rtbWhispers);
    }
}

TEST(FormLayout, PlaceKeepsWhatThePlacementLeavesOpen) {
    const TwipsRect current{8880, 600, 3135, 6135};
    EXPECT_EQ(Place(current, {9000, std::nullopt, 3155, 6448}), (TwipsRect{9000, 600, 3155, 6448}));
    EXPECT_EQ(Place(current, {}), current);
    EXPECT_EQ(Place(current, {1, 2, 0, 0}), (TwipsRect{1, 2, 0, 0}));
}

TEST(FormLayout, AControlThatWouldGetANegativeSizeStaysWhereItWas) {
    // So narrow and low that the chat pane's width and the member list's height come out negative.
    const MainLayout layout = FormLayout({1500, 1000, 405, false, false, 3135});
    const TwipsRect chat{120, 120, 8655, 5055}, members{8880, 600, 3135, 6135}, input{120, 6840, 11895, 405};
    EXPECT_EQ(Place(chat, layout.rtbChat), chat);
    EXPECT_EQ(Place(members, layout.lvChannel), members);
    EXPECT_EQ(Place(input, layout.txtSend), (TwipsRect{133.176, 500, 1294, 405}));
}

}  // namespace
}  // namespace morva
