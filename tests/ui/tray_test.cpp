#include "ui/sys_tray.h"

#include <gtest/gtest.h>

#include "bot/main_window.h"
#include "bot/startup.h"
#include "settings/ini_text.h"
#include "support/config_text.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

TEST(TrayTipText, ShowsAtMostSixtyThreeCharacters) {
    const std::string seventy(70, 'x');
    EXPECT_EQ(TrayTipText(seventy), QString(63, u'x'));
    EXPECT_EQ(TrayTipText(std::string(63, 'y')), QString(63, u'y'));
    EXPECT_EQ(TrayTipText("bot1 in channel lobby."), QStringLiteral("bot1 in channel lobby."));
    // Characters, not bytes: 70 two-byte characters still show 63 of them.
    std::string wide;
    for (int i = 0; i < 70; ++i) wide += "\xC3\xA9";
    EXPECT_EQ(TrayTipText(wide), QString(63, QChar(0xE9)));
}

class TrayTest : public MainWindowFixture {
protected:
    void logOn() {
        bot().chat.CurrentName = "bot1";
        bot().chat.CurrentChannel = "lobby";
        window->setCaption(bot().chat.LoggedInCaption());
    }
    void minimize() {
        window->showMinimized();
        ProcessEvents();
    }
};

TEST_F(TrayTest, MinimisingHidesTheWindowInTheTrayWithTheTipAsCaption) {
    start();
    window->sysTray().setAvailable(true);
    logOn();
    minimize();
    EXPECT_TRUE(window->sysTray().inSysTray());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->sysTray().trayIcon().toolTip(), QStringLiteral("bot1 in channel lobby."));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("bot1 in channel lobby."));
    EXPECT_EQ(window->caption(), "bot1 in channel lobby.");

    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
        emit window->sysTray().trayIcon().activated(reason);
        ProcessEvents();
        EXPECT_TRUE(window->isVisible()) << "a click or a double-click brings the window back";
        EXPECT_FALSE(window->isMinimized());
        EXPECT_FALSE(window->sysTray().inSysTray());
        EXPECT_EQ(window->caption(), bot().chat.LoggedInCaption()) << "the window's own caption again";
        EXPECT_EQ(window->windowTitle(), QString::fromStdString(bot().chat.LoggedInCaption()));
        minimize();
    }
}

TEST_F(TrayTest, TheTrayMenuRestoresReconnectsDisconnectsAndQuits) {
    start();
    std::vector<std::string> entries;
    for (const QAction* entry : window->sysTray().menu().actions())
        entries.push_back(entry->isSeparator() ? "-" : entry->text().toStdString());
    EXPECT_EQ(entries, (std::vector<std::string>{"Restore", "-", "Reconnect", "Disconnect", "-", "Quit"}));
    EXPECT_EQ(window->sysTray().menu().actions()[2], &window->action("mnuReconnect"));
    EXPECT_EQ(window->sysTray().menu().actions()[3], &window->action("mnuDisconnect"));
}

TEST_F(TrayTest, ALongTipIsCutInTheTrayButNotInTheCaption) {
    start();
    window->sysTray().setAvailable(true);
    const std::string name(60, 'n');
    bot().chat.CurrentName = name;
    bot().chat.CurrentChannel = "lobby";
    minimize();
    EXPECT_EQ(window->sysTray().trayIcon().toolTip().size(), 63);
    EXPECT_EQ(window->sysTray().trayIcon().toolTip(), QString::fromStdString(name + " in"));
    EXPECT_EQ(window->caption(), name + " in channel lobby.");
}

TEST_F(TrayTest, WithoutATrayMinimisingOnlyMinimisesAndTheCaptionRuleHolds) {
    start();
    window->sysTray().setAvailable(false);
    logOn();
    minimize();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(window->sysTray().inSysTray());
    EXPECT_EQ(window->caption(), "bot1 in channel lobby.");
}

TEST_F(TrayTest, TrayStartEndsStartUpInTheTray) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "TrayStart", "True"));
    window = std::make_unique<MainWindow>(clock, sockets, clock, profile.dir());
    window->sysTray().setAvailable(true);
    window->show();
    Form_Load(window->bot());
    ProcessEvents();
    EXPECT_TRUE(window->sysTray().inSysTray());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->sysTray().trayIcon().toolTip(), QStringLiteral(" in channel ."));
    EXPECT_EQ(window->caption(), " in channel .");
}

TEST_F(TrayTest, TheShowAndHideCommandsUseTheSameTray) {
    start();
    window->sysTray().setAvailable(true);
    window->trayMinimize();
    EXPECT_FALSE(window->isVisible());
    window->trayRestore();
    ProcessEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->sysTray().inSysTray());
}

}  // namespace
}  // namespace morva::testing
