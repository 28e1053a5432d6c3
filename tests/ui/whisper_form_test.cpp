#include "ui/whisper_form.h"
#include "ui/whisper_placement.h"

#include <gtest/gtest.h>

#include <vector>

#include <QLineEdit>
#include <QScreen>

#include "chat/channel_users.h"
#include "chat/event_processor.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "sessions/chat_event.h"
#include "settings/ini_text.h"
#include "support/config_text.h"
#include "ui/member_list.h"
#include "ui/pane_view.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

class WhisperFormTest : public MainWindowFixture {
protected:
    void SetUp() override {
        profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "WhisperWindow", "True"));
        start();
        addMembers({"bob", "carol", "dave", "erin"});
    }

    // "Whisper Window" on a member of the list.
    void whisperWith(const std::string& name) {
        window->memberList().selectRow(FindMember(bot().chat, name) + 1);
        window->action("mnuWhisper").trigger();
        ProcessEvents();
    }
    WhisperForm& form(int slot) {
        WhisperForm* form = window->whisperForm(slot);
        EXPECT_NE(form, nullptr) << "slot " << slot;
        return *form;
    }
    void close(int slot) {
        form(slot).close();
        ProcessEvents();
    }
    std::size_t slotCount() const { return window->bot().chat.WhisperWindows.size(); }
};

TEST_F(WhisperFormTest, OpensOneWindowPerUserAndReusesItWhateverTheCase) {
    whisperWith("bob");
    EXPECT_TRUE(form(0).isVisible());
    EXPECT_EQ(form(0).windowTitle(), QStringLiteral("bob: Whisper window."));
    EXPECT_TRUE(window->whisperForm(1) == nullptr);

    window->memberList().clear();
    addMembers({"BOB"});
    whisperWith("BOB");
    EXPECT_EQ(slotCount(), 1u);
    EXPECT_TRUE(window->whisperForm(1) == nullptr);
    EXPECT_EQ(form(0).windowTitle(), QStringLiteral("bob: Whisper window."));
}

TEST_F(WhisperFormTest, WindowsOpenWhollyOnTheMainWindowsScreen) {
    for (const char* name : {"bob", "carol", "dave", "erin"}) whisperWith(name);
    const QRect free = window->screen()->availableGeometry();
    for (int slot = 0; slot < 4; ++slot) EXPECT_TRUE(free.contains(form(slot).geometry())) << slot;
}

TEST_F(WhisperFormTest, AWindowOpensBesideTheMainWindowWhenThereIsRoom) {
    const QRect free = window->screen()->availableGeometry();
    window->move(free.topLeft());
    window->resize(free.width() / 2, free.height() / 2);
    ProcessEvents();
    whisperWith("bob");
    EXPECT_FALSE(window->frameGeometry().intersects(form(0).frameGeometry()));
}

TEST(WhisperWindowPlace, SideBySideBesideTheMainWindowWhollyInsideThenFromTheTopAgain) {
    const QRect free(0, 30, 1280, 770);  // a panel above
    const QSize cell(417, 305);
    struct Case {
        const char* what;
        QRect main;
        std::vector<QPoint> places;
    };
    const Case cases[] = {
        {"no side has room: anywhere, in rows",
         QRect(0, 30, 1280, 770),
         {{0, 30}, {417, 30}, {834, 30}, {0, 335}, {417, 335}, {834, 335}, {0, 30}}},
        {"main window on the left: the right strip",
         QRect(0, 30, 850, 600),
         {{850, 30}, {850, 335}, {850, 30}}},
        {"main window on the right: the left strip", QRect(440, 100, 840, 500), {{0, 30}, {0, 335}, {0, 30}}},
        {"main window on top, full width: below it",
         QRect(0, 30, 1280, 300),
         {{0, 330}, {417, 330}, {834, 330}}},
    };
    for (const Case& c : cases)
        for (int slot = 0; slot < static_cast<int>(c.places.size()); ++slot) {
            const QPoint at = WhisperWindowPlace(free, c.main, cell, slot);
            EXPECT_EQ(at, c.places[slot]) << c.what << ", slot " << slot;
            EXPECT_TRUE(free.contains(QRect(at, cell))) << c.what << ", slot " << slot;
            EXPECT_TRUE(c.main == free || !c.main.intersects(QRect(at, cell))) << c.what << ", slot " << slot;
        }
    EXPECT_EQ(WhisperWindowPlace(QRect(0, 0, 300, 200), QRect(0, 0, 100, 100), cell, 3), QPoint(0, 0))
        << "a screen too small for one";
}

TEST_F(WhisperFormTest, EscapeClosesTheWindow) {
    whisperWith("bob");
    ASSERT_TRUE(form(0).isVisible());
    PressKey(form(0), Qt::Key_Escape);
    ProcessEvents();
    EXPECT_FALSE(form(0).isVisible());
    EXPECT_FALSE(window->bot().chat.WhisperWindows.at(0).bolInUse);
}

TEST_F(WhisperFormTest, ClosingTrimsTheTableFromTheEnd) {
    whisperWith("bob");
    whisperWith("carol");
    whisperWith("dave");
    ASSERT_EQ(slotCount(), 3u);

    close(2);
    EXPECT_EQ(slotCount(), 2u);
    whisperWith("dave");
    ASSERT_EQ(slotCount(), 3u);

    close(1);
    EXPECT_EQ(slotCount(), 3u) << "slot 2 is still in use";
    close(2);
    EXPECT_EQ(slotCount(), 1u);
    EXPECT_TRUE(form(0).isVisible());
}

TEST_F(WhisperFormTest, AClosedSlotIsReusedForTheNextUserWithAFreshWindow) {
    whisperWith("bob");
    whisperWith("carol");
    AddChat(bot().output, form(0).pane(), {{ColorWhite, "old talk"}});
    form(0).inputLine().setText(QStringLiteral("half typed"));
    close(0);
    EXPECT_FALSE(form(0).isVisible());

    whisperWith("erin");
    EXPECT_EQ(slotCount(), 2u);
    EXPECT_TRUE(form(0).isVisible());
    EXPECT_EQ(form(0).windowTitle(), QStringLiteral("erin: Whisper window."));
    EXPECT_EQ(form(0).paneView().toPlainText(), QString());
    EXPECT_EQ(form(0).inputLine().text(), QString());
    EXPECT_EQ(bot().chat.WhisperWindows[0].strWhispered, "erin");

    whisperWith("dave");
    EXPECT_EQ(slotCount(), 3u) << "with every window in use, one more slot";
    EXPECT_EQ(form(2).windowTitle(), QStringLiteral("dave: Whisper window."));
}

TEST_F(WhisperFormTest, EnterInTheAnswerLineWhispersTheUserAndEmptiesTheLine) {
    bot().settings.BotConfig.Binary = false;
    bot().connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
    whisperWith("carol");
    sockets.made[0]->sent.clear();
    form(0).inputLine().setText(QStringLiteral("hi there"));
    PressKey(form(0).inputLine(), Qt::Key_Return);
    EXPECT_EQ(sockets.made[0]->allSent(), "/w carol hi there\r\n");
    EXPECT_EQ(form(0).inputLine().text(), QString());
}

TEST_F(WhisperFormTest, ReceivedLinesGoToTheUsersPane) {
    whisperWith("bob");
    AddChat(bot().output, bot().ports.shell.whisperWindowPane(0),
            {{ColorUserName, "bob: "}, {ColorWhite, "hey"}});
    EXPECT_EQ(ViewLines(form(0).paneView()), std::vector<std::string>{"bob: hey"});
}

}  // namespace
}  // namespace morva::testing
