#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/shell.h"
#include "ui/filter_dialog.h"
#include "ui/history_line_edit.h"
#include "ui/main_layout.h"
#include "ui/qt_pane.h"
#include "ui/sys_tray.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;

namespace morva {

class Bot;
class Clock;
class MemberList;
class PaneView;
class SocketFactory;
class TimerFactory;
class WhisperForm;

// frmMain: the program's window. It holds the chat pane, the whispers pane, the channel label, the
// member list and the input line, carries the menus, and is the Shell of the bot it owns. All rules
// are the core's; the window only passes the user's actions on and shows what the core asks.
class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT

public:
    MainWindow(TimerFactory& timers, SocketFactory& sockets, const Clock& clock,
               std::filesystem::path profileDir);
    ~MainWindow() override;

    Bot& bot() { return *bot_; }

    // The controls, for the face that runs the window and for tests.
    PaneView& chatView() { return *rtbChat_; }
    PaneView& whispersView() { return *rtbWhispers_; }
    QLabel& channelLabel() { return *lblChannel_; }
    MemberList& memberList() { return *lvChannel_; }
    HistoryLineEdit& inputLine() { return *txtSend_; }
    QMenu& memberPopup() { return *muChannelList_; }
    SysTray& sysTray() { return sysTray_; }
    // The whisper window of a slot, or null when the slot never had one.
    WhisperForm* whisperForm(int slot) const;
    // The filter dialog while it is open, else null.
    FilterDialog* filterDialog() const { return frmFilter_; }
    // The menu actions carry the names of the original controls: "mnuExit", "mnuKick", "mnuChannel0" ...
    QAction& action(const QString& name) const;

    // Shell
    void setCaption(const std::string& caption) override;
    std::string caption() const override { return caption_; }
    WindowGeometry windowGeometry() const override;
    void setWindowMeasure(WindowMeasure measure, double twips) override;
    void setChannelLabel(const std::string& text) override;
    void trayMinimize() override { sysTray_.MinToSysTray(); }
    void trayRestore() override { sysTray_.LButtonDblClk(); }
    void traySetTip(const std::string& tip) override;
    void whisperWindowOpen(int slot, const std::string& caption) override;
    void whisperWindowActivate(int slot) override;
    Pane& whisperWindowPane(int slot) override;
    void setFavoriteCaption(int entry, const std::string& caption) override;
    void enableFavorite(int entry) override;
    void setWhisperWindowEntryEnabled(bool enabled) override;
    void relayout(bool whispersPaneShown) override;
    void openExternal(const std::string& target) override;
    void endProgram() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QAction* addEntry(QMenu& menu, const char* name, const QString& caption,
                      const std::function<void()>& click);
    template <typename Subsystem>
    std::function<void()> on(Subsystem Bot::*subsystem, void (*click)(Subsystem&));
    void buildMemberPopup();
    void designControls();
    void fitIntoScreen();
    // Form_Resize: lays the controls out for the client size, or goes to the tray when minimised.
    void formResize();
    void layOut();
    void placeControl(QWidget& control, const Placement& placement);
    bool minimizedOrInTray() const;
    void openFilterDialog();
    void followOperatorRights();
    void buildTrayMenu();
    WhisperForm& whisperFormOf(int slot);
    void placeWhisperForm(WhisperForm& form, int slot) const;
    void applyOuterSize();

    PaneView* rtbChat_;
    PaneView* rtbWhispers_;
    QLabel* lblChannel_;
    MemberList* lvChannel_;
    HistoryLineEdit* txtSend_;
    QMenu* muChannelList_ = nullptr;
    QtPane chatPane_;
    QtPane whispersPane_;
    SysTray sysTray_;
    std::string caption_;
    // The caption the program set, kept while the tray's tip stands in for it.
    std::string ownCaption_;
    bool whispersShown_ = true;
    // The outer size config.bot asked for, in pixels, kept until the window manager's frame is known.
    std::optional<int> outerWidth_, outerHeight_;
    std::map<int, std::unique_ptr<WhisperForm>> whisperForms_;
    QPointer<FilterDialog> frmFilter_;
    std::unique_ptr<Bot> bot_;
};

}  // namespace morva
