#include "ui_fixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextEdit>

#include "bot/startup.h"
#include "chat/channel_users.h"
#include "support/config_text.h"
#include "ui/pane_view.h"

namespace morva::testing {

namespace {

// The widgets need one application object for the whole test program.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "test_ui";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const application =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace

UrlRecorder::UrlRecorder(std::vector<QString> schemes) : schemes_(std::move(schemes)) {
    for (const QString& scheme : schemes_) QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder() {
    for (const QString& scheme : schemes_) QDesktopServices::unsetUrlHandler(scheme);
}

MainWindowFixture::MainWindowFixture() {
    profile.write("config.bot", ValidConfig());
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
    ProcessEvents();
}

void MainWindowFixture::start(bool load) {
    window = std::make_unique<MainWindow>(clock, sockets, clock, profile.dir());
    window->show();
    ProcessEvents();
    if (load) Form_Load(window->bot());
    ProcessEvents();
}

std::vector<std::string> ViewLines(const QWidget& view) {
    // Panes show their lines once the event loop has had its turn, as the user sees them.
    ProcessEvents();
    std::vector<std::string> lines;
    const QString text = static_cast<const QTextEdit&>(view).toPlainText();
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(WithoutStamp(line.toStdString()));
    return lines;
}

std::vector<std::string> MainWindowFixture::chatLines() const {
    return ViewLines(window->chatView());
}

std::string MainWindowFixture::lastChatLine() const {
    const auto lines = chatLines();
    return lines.empty() ? std::string() : lines.back();
}

void MainWindowFixture::addMembers(const std::vector<std::string>& names) {
    for (const std::string& name : names) AddUser(bot().chat, name, "0010", "[STAR]");
    ProcessEvents();
}

void ProcessEvents() {
    QCoreApplication::processEvents();
}

void SendMouse(QWidget& widget, int type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(static_cast<QEvent::Type>(type), at, widget.mapToGlobal(at), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void DoubleClick(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, at);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, at);
    SendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, at);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, at);
}

void PressKey(QWidget& widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                    key == Qt::Key_Return ? QStringLiteral("\r") : QString());
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

}  // namespace morva::testing
