// The window on a real X server (Xvfb) with a real tray host (trayer), as a user's desktop runs it.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bot/startup.h"
#include "chat/channel_users.h"
#include "chat/event_processor.h"
#include "chat/whisper_windows.h"
#include "sessions/chat_event.h"
#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/config_text.h"
#include "support/fake_socket.h"
#include "support/virtual_clock.h"
#include "ui/main_window.h"
#include "ui/member_list.h"
#include "ui/whisper_form.h"

namespace morva::testing {
namespace {

bool installed(const char* program) {
    return std::filesystem::exists(std::string("/usr/bin/") + program);
}

bool runUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ::usleep(5000);
    }
    return true;
}

class XvfbDesktop : public ::testing::Test {
protected:
    void startDesktop(bool withTray) {
        if (!installed("Xvfb") || (withTray && !installed("trayer")) || !installed("xdotool"))
            GTEST_SKIP() << "needs Xvfb, trayer and xdotool (scripts/setup.sh installs them)";
        // Xvfb picks a free display and writes its number; its warnings stay out of that answer.
        xvfb = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/bin/sh", "-c",
            "exec /usr/bin/Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null"});
        ASSERT_TRUE(xvfb->waitForOutput("\n")) << xvfb->output();
        display = ":" + xvfb->output().substr(0, xvfb->output().find('\n'));
        ::setenv("DISPLAY", display.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (withTray) {
            tray = std::make_unique<ChildProcess>(std::vector<std::string>{
                "/usr/bin/trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                "32", "--transparent", "false", "--SetDockType", "true"});
        }
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        profile.write("config.bot", ValidConfig());
        window = std::make_unique<MainWindow>(clock, sockets, clock, profile.dir());
        Form_Load(window->bot());
        window->show();
        ASSERT_TRUE(runUntil([&] { return window->isVisible(); }));
    }
    void TearDown() override {
        window.reset();
        app.reset();
        // A terminated X server removes its lock file; a killed one would leave it behind.
        if (tray) tray->signalAndWait(SIGTERM);
        if (xvfb) xvfb->signalAndWait(SIGTERM);
    }
    // A double-click as the user makes it, through the X server.
    void doubleClickAt(QPoint point) {
        ChildProcess click({"/usr/bin/xdotool", "mousemove", std::to_string(point.x()),
                            std::to_string(point.y()), "click", "--repeat", "2", "--delay", "80", "1"});
        click.signalAndWait(0, std::chrono::seconds(5));
    }

    TempProfile profile;
    VirtualClock clock;
    FakeSocketFactory sockets;
    std::unique_ptr<ChildProcess> xvfb, tray;
    std::string display;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<MainWindow> window;
};

TEST_F(XvfbDesktop, MinimisingPutsTheIconInTheTrayAndADoubleClickBringsTheWindowBack) {
    startDesktop(true);
    ASSERT_TRUE(runUntil([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000))
        << "trayer did not start";
    window->bot().chat.CurrentName = "bot1";
    window->bot().chat.CurrentChannel = "lobby";
    window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(runUntil([&] { return window->sysTray().inSysTray() && !window->isVisible(); }));
    EXPECT_EQ(window->windowTitle().toStdString(), "bot1 in channel lobby.");
    // The tray sits at the screen's top right; until the icon is embedded there it has no place.
    ASSERT_TRUE(runUntil([&] { return window->sysTray().trayIcon().geometry().x() > 0; }))
        << "the icon was not embedded in the tray";
    doubleClickAt(window->sysTray().trayIcon().geometry().center());
    EXPECT_TRUE(runUntil([&] { return window->isVisible() && !window->sysTray().inSysTray(); }));
    EXPECT_FALSE(window->isMinimized());
}

// Offscreen, every window shown is activated; a real X server shows what the window asks for.
TEST_F(XvfbDesktop, AnArrivingWhisperOpensItsWindowWithoutTakingTheKeyboard) {
    startDesktop(false);
    window->bot().settings.BotConfig.WhisperWindow = true;
    window->activateWindow();
    ASSERT_TRUE(runUntil([&] { return QApplication::activeWindow() == window.get(); }));
    window->inputLine().setText(QStringLiteral("half typed"));
    ChatEvent whisper;
    whisper.id = EventId::Whisper;
    whisper.name = "carol";
    whisper.text = "psst";
    ProcessEventLine(window->bot().chat, whisper);
    ASSERT_TRUE(runUntil([&] { return window->whisperForm(0) && window->whisperForm(0)->isVisible(); }));
    runUntil([] { return false; }, 300);
    EXPECT_EQ(QApplication::activeWindow(), window.get());
    EXPECT_EQ(QApplication::focusWidget(), &window->inputLine());

    AddUser(window->bot().chat, "carol", "0010", "[STAR]");
    window->memberList().selectRow(1);
    mnuWhisper_Click(window->bot().chat);
    EXPECT_TRUE(runUntil([&] { return QApplication::activeWindow() == window->whisperForm(0); }))
        << "opened from the popup, it comes to the front";
}

TEST_F(XvfbDesktop, WithoutATrayMinimisingJustMinimises) {
    startDesktop(false);
    EXPECT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(runUntil([&] { return window->isMinimized(); }));
    runUntil([] { return false; }, 300);
    EXPECT_FALSE(window->sysTray().inSysTray());
    EXPECT_EQ(window->windowTitle().toStdString(), " in channel .") << "the caption is the tip all the same";
}

}  // namespace
}  // namespace morva::testing
