#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "bot/main_window.h"
#include "bot/startup.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/config_file.h"
#include "settings/ini_text.h"
#include "support/config_text.h"
#include "ui/member_list.h"
#include "ui/pane_view.h"
#include "ui/twips.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

using Strings = std::vector<std::string>;

Strings Captions(const QList<QAction*>& actions) {
    Strings captions;
    for (const QAction* action : actions)
        captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return captions;
}

QMenu& MenuNamed(MainWindow& window, const char* name) {
    return *window.findChild<QMenu*>(QString::fromLatin1(name));
}

class MainWindowTest : public MainWindowFixture {
protected:
    // Runs the event loop until the program ends it; a program that does not end fails after a while.
    int runUntilEnd(const std::function<void()>& action) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        QTimer::singleShot(0, action);
        return QCoreApplication::exec();
    }
    QRect pixels(const TwipsRect& twips) const {
        const TwipsScale scale = TwipsScale::of(*window);
        return QRect(scale.toPixelsX(twips.left), scale.toPixelsY(twips.top), scale.toPixelsX(twips.width),
                     scale.toPixelsY(twips.height));
    }
};

// Run again at a scale factor of 1.5 (tests/CMakeLists.txt): the design size no longer fits there.
TEST_F(MainWindowTest, TheFirstWindowAndItsInputLineFitTheFreeAreaOfTheScreen) {
    start();
    const QRect free = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), free.width());
    EXPECT_LE(window->height(), free.height());
    const QRect input(window->inputLine().mapTo(window.get(), QPoint(0, 0)), window->inputLine().size());
    EXPECT_TRUE(QRect(QPoint(0, 0), window->size()).contains(input));
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsInOrder) {
    start();
    EXPECT_EQ(Captions(window->menuBar()->actions()),
              (Strings{"&File", "&Bot", "F&avorite Channels", "&Configuration", "&Tools", "A&bout"}))
        << "the letter after & opens the menu with Alt";
    EXPECT_EQ(Captions(MenuNamed(*window, "mnuFile").actions()), Strings{"Exit"});
    EXPECT_EQ(Captions(MenuNamed(*window, "mnuBot").actions()),
              (Strings{"Reconnect", "Disconnect", "-", "Clear Chat", "Clear Whispers"}));
    EXPECT_EQ(Captions(MenuNamed(*window, "mnuConfiguration").actions()),
              (Strings{"Open config.bot", "Reload config.bot"}));
    EXPECT_EQ(Captions(MenuNamed(*window, "mnuTools").actions()), Strings{"Filter"});
    EXPECT_EQ(Captions(window->memberPopup().actions()),
              (Strings{"Designate", "Kick", "Ban", "-", "Add to acceslist", "Remove from acceslist", "-",
                       "Add to safelist", "Remove from safelist", "-", "Whisper Window"}));
    EXPECT_EQ(window->menuBar()->actions().back()->menu(), nullptr) << "About acts when chosen";
}

TEST_F(MainWindowTest, FavoritesAreBlankAndDisabledUntilTheProfileNamesThem) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Favorite Channels", "Channel4", "R&D"));
    start(false);
    const QList<QAction*> entries = MenuNamed(*window, "mnuFavChannels").actions();
    ASSERT_EQ(entries.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i]->text(), QString());
        EXPECT_FALSE(entries[i]->isEnabled());
        EXPECT_EQ(entries[i]->shortcut(), QKeySequence(Qt::Key_F1 + i));
    }
    Form_Load(bot());
    EXPECT_EQ(Captions(entries), (Strings{"Lobby", "Op Test", "Empty", "R&&D", "Empty"}));
    const bool enabled[] = {true, true, false, true, false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(entries[i]->isEnabled(), enabled[i]) << "entry " << i;
}

TEST_F(MainWindowTest, TheProfileDecidesTheWhisperEntriesAndTheWhispersPane) {
    for (const bool windows : {false, true}) {
        for (const bool frame : {false, true}) {
            SCOPED_TRACE(std::string("WhisperWindow ") + (windows ? "on" : "off") + ", WhisperFrame " +
                         (frame ? "on" : "off"));
            std::string config =
                IniWrite(ValidConfig(), "Profile", "WhisperWindow", windows ? "True" : "False");
            profile.write("config.bot",
                          IniWrite(config, "Profile", "WhisperFrame", frame ? "True" : "False"));
            start();
            EXPECT_EQ(window->action("mnuWhisper").isEnabled(), windows);
            EXPECT_EQ(window->action("mnuClearWhispers").isEnabled(), frame);
            EXPECT_EQ(window->whispersView().isVisible(), frame);
            const TwipsScale scale = TwipsScale::of(*window);
            const double clientHeight = scale.toTwipsY(window->centralWidget()->height());
            EXPECT_EQ(window->chatView().height(), scale.toPixelsY(clientHeight - (frame ? 2300 : 700)));
        }
    }
}

TEST_F(MainWindowTest, TheControlsFollowTheLayoutFormulas) {
    start();
    window->resize(1000, 700);
    ProcessEvents();
    const TwipsScale scale = TwipsScale::of(*window);
    const QSize client = window->centralWidget()->size();
    const MainLayout layout = FormLayout({scale.toTwipsX(client.width()), scale.toTwipsY(client.height()),
                                          scale.toTwipsY(window->inputLine().height()), true, false,
                                          scale.toTwipsX(window->channelLabel().width())});
    const auto place = [&](const QWidget& control, const Placement& placement) {
        const QRect g = control.geometry();
        return pixels(Place({scale.toTwipsX(g.x()), scale.toTwipsY(g.y()), scale.toTwipsX(g.width()),
                             scale.toTwipsY(g.height())},
                            placement));
    };
    EXPECT_EQ(window->chatView().geometry(), place(window->chatView(), layout.rtbChat));
    EXPECT_EQ(window->whispersView().geometry(), place(window->whispersView(), *layout.rtbWhispers));
    EXPECT_EQ(window->memberList().geometry(), place(window->memberList(), layout.lvChannel));
    EXPECT_EQ(window->inputLine().geometry(), place(window->inputLine(), layout.txtSend));
    EXPECT_EQ(window->chatView().width(), scale.toPixelsX(scale.toTwipsX(client.width()) - 3545.742));
    EXPECT_EQ(window->inputLine().y(), scale.toPixelsY(scale.toTwipsY(client.height()) - 500));
}

TEST_F(MainWindowTest, StartsWithTheTitleCaptionAndTheTitleLines) {
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Morva Chat v1.0 by Quorin [Binary Edition]."));
    EXPECT_EQ(window->caption(), "Morva Chat v1.0 by Quorin [Binary Edition].");
    const Strings lines = chatLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Morva Chat v1.0 by Quorin [Binary Edition]");
    EXPECT_EQ(lines[1], std::string(39, '-'));
    EXPECT_EQ(window->channelLabel().text(), QStringLiteral("Channel [0]"));
}

TEST_F(MainWindowTest, GeometryIsSavedASecondAfterAResizeAndNotAfterAMove) {
    start();
    clock.advance(1500);
    EXPECT_NE(ReadConfig(bot().settings, "Form", "Width"), "")
        << "start-up lays the window out, which saves it";

    window->resize(1000, 700);
    ProcessEvents();
    const WindowGeometry outer = window->windowGeometry();
    clock.advance(999);
    EXPECT_NE(ReadConfig(bot().settings, "Form", "Width"), TwipsText(outer.width));
    clock.advance(2);
    EXPECT_EQ(ReadConfig(bot().settings, "Form", "Width"), TwipsText(outer.width));
    EXPECT_EQ(ReadConfig(bot().settings, "Form", "Height"), TwipsText(outer.height));
    EXPECT_EQ(ReadConfig(bot().settings, "Form", "Top"), TwipsText(outer.top));
    EXPECT_EQ(ReadConfig(bot().settings, "Form", "Left"), TwipsText(outer.left));
    const TwipsScale scale = TwipsScale::of(*window);
    EXPECT_EQ(outer.width, scale.toTwipsX(window->frameGeometry().width()));

    const std::string saved = profile.read("config.bot");
    window->move(window->pos() + QPoint(40, 30));
    ProcessEvents();
    clock.advance(3000);
    EXPECT_EQ(profile.read("config.bot"), saved);
}

TEST_F(MainWindowTest, TheSavedGeometryIsRestoredInTwips) {
    std::string config = ValidConfig();
    for (const auto& [key, value] :
         {std::pair{"Width", "13500"}, {"Height", "9000"}, {"Left", "1500"}, {"Top", "750"}})
        config = IniWrite(config, "Form", key, value);
    profile.write("config.bot", config);
    start();
    const TwipsScale scale = TwipsScale::of(*window);
    EXPECT_EQ(window->frameGeometry(), QRect(scale.toPixelsX(1500), scale.toPixelsY(750),
                                             scale.toPixelsX(13500), scale.toPixelsY(9000)));
    const WindowGeometry outer = window->windowGeometry();
    EXPECT_NEAR(outer.width, 13500, scale.x);
    EXPECT_NEAR(outer.left, 1500, scale.x);
}

TEST_F(MainWindowTest, PopupEntriesActOnTheSelectedMember) {
    start();
    addMembers({"Jim", "Joe"});
    window->memberList().selectRow(2);
    window->action("mnuAdd").trigger();
    EXPECT_EQ(lastChatLine(), "Bot: Joe added to acceslist.");
    EXPECT_EQ(profile.read("acces.bot"), "Joe\r\n");
    window->memberList().selectRow(1);
    window->action("mnuSafeadd").trigger();
    EXPECT_EQ(lastChatLine(), "Bot: Jim added to safelist.");
    EXPECT_EQ(profile.read("safelist.bot"), "Jim\r\n");

    window->memberList().selectRow(0);
    const std::size_t before = chatLines().size();
    for (const char* entry :
         {"mnuAdd", "mnuRem", "mnuSafeadd", "mnuRemSafelist", "mnuKick", "mnuBan", "mnuDesignate"})
        window->action(entry).trigger();
    EXPECT_EQ(chatLines().size(), before);
    EXPECT_EQ(profile.read("acces.bot"), "Joe\r\n");
    EXPECT_EQ(profile.read("safelist.bot"), "Jim\r\n");
}

TEST_F(MainWindowTest, RightButtonReleaseOverTheListOpensThePopupOnlyWithMembers) {
    start();
    QWidget& list = *window->memberList().viewport();
    SendMouse(list, QEvent::MouseButtonPress, Qt::RightButton, {20, 5});
    EXPECT_FALSE(window->memberPopup().isVisible());
    SendMouse(list, QEvent::MouseButtonRelease, Qt::RightButton, {20, 5});
    EXPECT_FALSE(window->memberPopup().isVisible()) << "an empty list has no popup";

    addMembers({"Joe"});
    SendMouse(list, QEvent::MouseButtonPress, Qt::RightButton, {20, 5});
    EXPECT_FALSE(window->memberPopup().isVisible()) << "the press alone opens nothing";
    SendMouse(list, QEvent::MouseButtonRelease, Qt::RightButton, {20, 5});
    EXPECT_TRUE(window->memberPopup().isVisible());
    EXPECT_EQ(window->memberList().selectedRow(), 1) << "the member under the mouse is the one acted on";
    window->memberPopup().hide();
}

TEST_F(MainWindowTest, DoubleClickingAMemberAppendsTheNameToTheInputLine) {
    start();
    addMembers({"joe", "bob"});
    window->inputLine().setText(QStringLiteral("hi "));
    MemberList& list = window->memberList();
    DoubleClick(*list.viewport(), list.visualItemRect(list.item(1)).center());
    EXPECT_EQ(window->inputLine().text(), QStringLiteral("hi bob"));
}

TEST_F(MainWindowTest, EnterInTheInputLineRunsItsLine) {
    start();
    const std::size_t before = chatLines().size();
    PressKey(window->inputLine(), Qt::Key_Return);
    EXPECT_EQ(chatLines().size(), before) << "an empty line does nothing";

    window->inputLine().setText(QStringLiteral("/add Joe"));
    PressKey(window->inputLine(), Qt::Key_Return);
    EXPECT_EQ(lastChatLine(), "Bot: Joe added to acceslist.");
    EXPECT_EQ(window->inputLine().text(), QString());
}

TEST_F(MainWindowTest, TypingStartsInTheInputLineAndCtrlQAndCtrlLAreThere) {
    start();
    EXPECT_EQ(window->focusWidget(), &window->inputLine());
    EXPECT_EQ(window->action("mnuExit").shortcut(), QKeySequence(QKeySequence::Quit));
    EXPECT_EQ(window->action("mnuClearChat").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
}

TEST_F(MainWindowTest, UpAndDownWalkThroughTheLinesSentAndBackToTheDraft) {
    start();
    HistoryLineEdit& input = window->inputLine();
    for (const char* line : {"/add Joe", "/add Ann"}) {
        input.setText(QString::fromLatin1(line));
        PressKey(input, Qt::Key_Return);
    }
    input.setText(QStringLiteral("half"));
    const std::pair<Qt::Key, const char*> steps[] = {{Qt::Key_Up, "/add Ann"}, {Qt::Key_Up, "/add Joe"},
                                                     {Qt::Key_Up, "/add Joe"}, {Qt::Key_Down, "/add Ann"},
                                                     {Qt::Key_Down, "half"},   {Qt::Key_Down, "half"}};
    for (const auto& [key, shown] : steps) {
        PressKey(input, key);
        EXPECT_EQ(input.text(), QString::fromLatin1(shown));
    }
}

TEST_F(MainWindowTest, TabCompletesAMemberNameAndCyclesThroughTheMatchesElseMovesOn) {
    start();
    addMembers({"Joe", "jim", "Ann", "Jolene"});
    HistoryLineEdit& input = window->inputLine();
    input.setText(QStringLiteral("hi jo"));
    const char* shown[] = {"hi Joe", "hi Jolene", "hi Joe"};
    for (const char* expected : shown) {
        PressKey(input, Qt::Key_Tab);
        EXPECT_EQ(input.text(), QString::fromLatin1(expected));
        EXPECT_EQ(input.cursorPosition(), input.text().size());
    }
    input.setText(QStringLiteral("an"));
    PressKey(input, Qt::Key_Tab);
    EXPECT_EQ(input.text(), QStringLiteral("Ann"));

    input.setText(QStringLiteral("hi zed"));
    window->activateWindow();
    input.setFocus();
    ProcessEvents();
    PressKey(input, Qt::Key_Tab);
    EXPECT_EQ(input.text(), QStringLiteral("hi zed")) << "nothing to complete";
    EXPECT_EQ(window->focusWidget(), &window->memberList()) << "so Tab moves on";
}

TEST_F(MainWindowTest, TabGoesInputMembersChatAndBackNeverThroughThePaneText) {
    start();
    AddChat(bot().output, {{ColorWhite, "see http://a.example/ and http://b.example/ now"}});
    window->activateWindow();
    window->inputLine().setFocus();
    ProcessEvents();
    QWidget* const chain[] = {&window->memberList(), &window->chatView(), &window->inputLine(),
                              &window->memberList()};
    for (QWidget* expected : chain) {
        PressKey(*window->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window->focusWidget(), expected) << "the links in the chat are no stops";
    }
    EXPECT_FALSE(window->chatView().textCursor().hasSelection());
}

TEST_F(MainWindowTest, TheKeyboardScrollsAPaneBack) {
    start();
    for (int line = 0; line < 300; ++line) AddChat(bot().output, {{ColorWhite, "line"}});
    ProcessEvents();
    PaneView& view = window->chatView();
    QScrollBar& bar = *view.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    ASSERT_EQ(bar.value(), bar.maximum());
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_Up}) {
        const int before = bar.value();
        PressKey(view, key);
        EXPECT_LT(bar.value(), before) << key;
    }
}

TEST_F(MainWindowTest, TextSelectedInAPaneCopiesWithTheKeyboard) {
    start();
    AddChat(bot().output, {{ColorWhite, "copy me"}});
    ProcessEvents();
    PaneView& view = window->chatView();
    view.setFocus();
    view.selectAll();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(&view, &copy);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("copy me")));
}

TEST_F(MainWindowTest, ALineKeptForWantOfAConnectionIsNotInTheHistory) {
    start();
    HistoryLineEdit& input = window->inputLine();
    input.setText(QStringLiteral("hello"));
    PressKey(input, Qt::Key_Return);
    EXPECT_EQ(input.text(), QStringLiteral("hello"));
    input.clear();
    PressKey(input, Qt::Key_Up);
    EXPECT_EQ(input.text(), QString());
}

TEST_F(MainWindowTest, OperatorOnlyEntriesFollowTheBotsStatus) {
    start();
    bot().chat.CurrentName = "MorvaBot";
    addMembers({"Joe"});
    const auto openPopup = [this] {
        window->memberList().selectRow(1);
        PressKey(window->memberList(), Qt::Key_Menu);
        EXPECT_TRUE(window->memberPopup().isVisible()) << "the Menu key opens the popup";
        window->memberPopup().hide();
    };
    openPopup();
    for (const char* entry : {"mnuDesignate", "mnuKick", "mnuBan"}) {
        EXPECT_FALSE(window->action(entry).isEnabled()) << entry;
        EXPECT_EQ(window->action(entry).toolTip(),
                  QStringLiteral("The bot holds no operator status in this channel."));
    }
    EXPECT_TRUE(window->action("mnuAdd").isEnabled());

    AddUser(bot().chat, "MorvaBot", "0002", "[STAR]");
    openPopup();
    for (const char* entry : {"mnuDesignate", "mnuKick", "mnuBan"})
        EXPECT_TRUE(window->action(entry).isEnabled()) << entry;
}

TEST_F(MainWindowTest, AboutPrintsTheTitleBetweenSeparators) {
    start();
    window->action("mnuAbout").trigger();
    const Strings lines = chatLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(
        Strings(lines.end() - 3, lines.end()),
        (Strings{std::string(39, '-'), "Morva Chat v1.0 by Quorin [Binary Edition]", std::string(39, '-')}));
}

TEST_F(MainWindowTest, ClearChatAndClearWhispersEmptyTheirOwnPane) {
    start();
    AddChat(bot().output, bot().output.rtbWhispers, {{ColorWhite, "psst"}});
    window->action("mnuClearChat").trigger();
    EXPECT_EQ(window->chatView().toPlainText(), QString());
    EXPECT_EQ(ViewLines(window->whispersView()), Strings{"psst"});
    AddChat(bot().output, {{ColorWhite, "after"}});
    EXPECT_EQ(chatLines(), Strings{"after"});
    window->action("mnuClearWhispers").trigger();
    EXPECT_EQ(window->whispersView().toPlainText(), QString());
}

TEST_F(MainWindowTest, TheChannelLabelShowsWhatTheCoreSets) {
    start();
    bot().chat.CurrentChannel = "Clan \xC4rger";
    addMembers({"Joe", "Jim"});
    EXPECT_EQ(window->channelLabel().text(), QString::fromUtf8("Clan \xC3\x84rger [2]"));
}

TEST_F(MainWindowTest, ExitEndsTheProgramAtOnce) {
    start();
    EXPECT_EQ(runUntilEnd([this] { window->action("mnuExit").trigger(); }), 0);
}

TEST_F(MainWindowTest, ClosingTheWindowTakesTheIconAwayAndEndsTheProgram) {
    start();
    window->sysTray().trayIcon().show();
    EXPECT_EQ(runUntilEnd([this] { window->close(); }), 0);
    EXPECT_FALSE(window->sysTray().inSysTray());
}

}  // namespace
}  // namespace morva::testing
