#include "ui/member_list.h"

#include <gtest/gtest.h>

#include <QListWidgetItem>

#include "chat/channel_users.h"
#include "output/palette.h"
#include "ui/member_icons.h"
#include "ui/window_style.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

class MemberListTest : public MainWindowFixture {
protected:
    void SetUp() override { start(); }
    MemberList& list() { return window->memberList(); }
    QListWidgetItem& item(int row) { return *list().item(row - 1); }
};

TEST_F(MemberListTest, RowsShowTheCoresIconToolTipColourAndWeight) {
    bot().chat.CurrentName = "bot1";
    AddUser(bot().chat, "Op", "0022", "[W3XP]");
    AddUser(bot().chat, "Mute", "0010", "[BRX]");
    AddUser(bot().chat, "Rep", "0001", "[STAR]");
    AddUser(bot().chat, "bot1", "0010", "[STAR]");
    AddUser(bot().chat, "Joe", "0010", "[W3XP]");
    const struct {
        int icon;
        QColor color;
        bool bold;
        QString tip;
    } rows[] = {
        {1, ToQColor(ColorOperator), true, "Op 0022 [W3XP]"},
        {14, ToQColor(ColorError), false, "Mute 0010 [BRX]"},
        {16, ToQColor(ColorPaleCyan), false, "Rep 0001 [STAR]"},
        {6, ToQColor(ColorOwnName), false, "bot1 0010 [STAR]"},
        {19, ToQColor(ColorMemberDefault), false, "Joe 0010 [W3XP]"},
    };
    ASSERT_EQ(list().count(), 5);
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        const auto& want = rows[row - 1];
        EXPECT_EQ(list().icon(row), want.icon);
        EXPECT_EQ(item(row).foreground().color(), want.color);
        EXPECT_EQ(item(row).font().bold(), want.bold);
        EXPECT_EQ(item(row).toolTip(), want.tip);
        EXPECT_EQ(item(row)
                      .icon()
                      .pixmap(MemberIconSize)
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  MemberIconImage(want.icon));
    }

    list().selectRow(1);
    UpdateUser(bot().chat, "Op", "0010");
    EXPECT_EQ(list().name(1), "Op");
    EXPECT_EQ(list().selectedRow(), 1) << "a restyled row keeps its selection";
    EXPECT_EQ(list().icon(1), 19);
    EXPECT_FALSE(item(1).font().bold());
}

MemberRow plainRow(const std::string& name, int icon = 2) {
    return MemberRow{name, icon, name + " 0010 [CHAT]", std::nullopt, false};
}

TEST_F(MemberListTest, NamesKeepTheirBytesAndAreShownAsUtf8OrWindows1252) {
    list().insertRow(1, plainRow("\xC4nne"));      // Windows-1252
    list().insertRow(2, plainRow("J\xC3\xB6rg"));  // UTF-8
    EXPECT_EQ(list().name(1), "\xC4nne");
    EXPECT_EQ(item(1).text(), QString::fromUtf8("\xC3\x84nne"));
    EXPECT_EQ(item(2).text(), QString::fromUtf8("J\xC3\xB6rg"));
    EXPECT_EQ(item(1).toolTip(), QString::fromUtf8("\xC3\x84nne 0010 [CHAT]"));
}

TEST_F(MemberListTest, RowsAreInsertedRemovedAndRestyledAtTheirPositions) {
    for (const char* name : {"A", "B", "C"}) list().insertRow(list().count() + 1, plainRow(name));
    list().insertRow(2, plainRow("X", 6));
    list().removeRow(1);
    list().restyleRow(3, MemberRow{"C", 1, "C 0002 [CHAT]", ColorOperator, true});
    EXPECT_EQ(item(3).foreground().color(), ToQColor(ColorOperator));
    EXPECT_TRUE(item(3).font().bold());
    std::vector<std::string> names;
    for (int row = 1; row <= list().count(); ++row) names.push_back(list().name(row));
    EXPECT_EQ(names, (std::vector<std::string>{"X", "B", "C"}));
    EXPECT_EQ(list().icon(1), 6);

    EXPECT_EQ(list().selectedRow(), 0);
    list().selectRow(3);
    EXPECT_EQ(list().selectedRow(), 3);
    list().selectRow(0);
    EXPECT_EQ(list().selectedRow(), 0);
    list().clear();
    EXPECT_EQ(list().count(), 0);
}

TEST(MemberIcons, EveryChosenNumberHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (const int number : {1, 2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20, 21}) {
        SCOPED_TRACE(number);
        const QImage image = MemberIconImage(number);
        EXPECT_EQ(image.size(), QSize(28, 14));
        EXPECT_EQ(MemberIconImage(number, 2).size(), QSize(56, 28));
        EXPECT_FALSE(image.pixelColor(14, 7).alpha() == 0) << "the badge covers its middle";
        for (const QImage& other : pictures) EXPECT_NE(image, other);
        pictures.push_back(image);
    }
    EXPECT_EQ(MemberIconImage(0), MemberIconImage(12)) << "numbers out of range are unknown products";
    EXPECT_EQ(MemberIconImage(22), MemberIconImage(12));
}

TEST(MemberIcons, TheApplicationIconComesInTheUsualSizes) {
    const QIcon icon = ApplicationIcon();
    for (const int side : {16, 32, 48, 256}) EXPECT_EQ(icon.pixmap(side, side).size(), QSize(side, side));
}

}  // namespace
}  // namespace morva::testing
