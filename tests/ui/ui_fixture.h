#pragma once

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

#include "support/bot_fixture.h"
#include "support/fake_socket.h"
#include "support/virtual_clock.h"
#include "ui/main_window.h"

class QWidget;

namespace morva::testing {

// Takes the desktop's place for the URL schemes it is registered for, and keeps what it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(std::vector<QString> schemes);
    ~UrlRecorder() override;

    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }

private:
    std::vector<QString> schemes_;
};

// A main window on a virtual clock and fake sockets, in a profile of its own with a valid config.bot.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Makes and shows the window; with load, runs Form_Load as the program does.
    void start(bool load = true);
    Bot& bot() { return window->bot(); }
    // The chat pane's lines as shown, without their time stamps.
    std::vector<std::string> chatLines() const;
    std::string lastChatLine() const;
    // Adds members as the chat events would, Joe first.
    void addMembers(const std::vector<std::string>& names);

    TempProfile profile;
    VirtualClock clock;
    FakeSocketFactory sockets;
    std::unique_ptr<MainWindow> window;
};

// The lines of a text view without their time stamps.
std::vector<std::string> ViewLines(const QWidget& view);

void ProcessEvents();
// Mouse actions as the window system delivers them, at a point of the widget.
void SendMouse(QWidget& widget, int type, Qt::MouseButton button, QPoint at);
void DoubleClick(QWidget& widget, QPoint at);
void PressKey(QWidget& widget, Qt::Key key);

}  // namespace morva::testing
