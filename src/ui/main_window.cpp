#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include "bot/bot.h"
#include "bot/main_window.h"
#include "bot/startup.h"
#include "chat/channel_users.h"
#include "chat/whisper_windows.h"
#include "moderation/input_enter.h"
#include "moderation/member_actions.h"
#include "platform/display_text.h"
#include "settings/profile.h"
#include "ui/external_url.h"
#include "ui/filter_dialog.h"
#include "ui/member_icons.h"
#include "ui/member_list.h"
#include "ui/member_names.h"
#include "ui/pane_view.h"
#include "ui/twips.h"
#include "ui/whisper_form.h"
#include "ui/whisper_placement.h"
#include "ui/window_style.h"

namespace morva {

namespace {

QString shown(const std::string& bytes) {
    return QString::fromStdString(DisplayText(bytes));
}

// The designed client area and controls, in twips.
constexpr double DesignWidth = 12375, DesignHeight = 7620;
constexpr TwipsRect DesignChat{120, 120, 8655, 5055};
constexpr TwipsRect DesignWhispers{120, 5280, 8655, 1455};
constexpr TwipsRect DesignLabel{8880, 120, 3135, 375};
constexpr TwipsRect DesignMembers{8880, 600, 3135, 6135};
constexpr TwipsRect DesignInput{120, 6840, 11895, 405};
// Below this client size the layout formulas would give controls no room.
constexpr double MinimumWidth = 6000, MinimumHeight = 4500;
// What a window manager's frame adds to a window, allowed for before the frame is known.
constexpr QSize FrameAllowance(16, 48);

QRect toPixels(const TwipsScale& scale, const TwipsRect& rect) {
    return QRect(scale.toPixelsX(rect.left), scale.toPixelsY(rect.top), scale.toPixelsX(rect.width),
                 scale.toPixelsY(rect.height));
}

}  // namespace

MainWindow::MainWindow(TimerFactory& timers, SocketFactory& sockets, const Clock& clock,
                       std::filesystem::path profileDir)
    : rtbChat_(new PaneView),
      rtbWhispers_(new PaneView),
      lblChannel_(new QLabel(QStringLiteral("Channel [0]"))),
      lvChannel_(new MemberList),
      txtSend_(new HistoryLineEdit),
      chatPane_(*rtbChat_, QtPane::Links::Detected),
      whispersPane_(*rtbWhispers_, QtPane::Links::Detected),
      sysTray_(*this, ApplicationIcon()) {
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    buildControls();
    buildMenus();
    buildMemberPopup();
    buildTrayMenu();
    designControls();
    bot_ = std::make_unique<Bot>(Ports{timers, sockets, clock, chatPane_, whispersPane_, *lvChannel_, *this},
                                 std::move(profileDir));
    // Typing starts in the input line, whatever has the focus by default; Tab goes on to the members
    // and then the conversation, and back; the whispers pane takes the focus only from a click.
    txtSend_->setFocus();
    rtbWhispers_->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(txtSend_, lvChannel_);
    setTabOrder(lvChannel_, rtbChat_);
    txtSend_->setCompletions([this] { return MemberNames(bot_->chat); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* client = new QWidget;
    client->setAutoFillBackground(true);
    client->setPalette(DarkPalette(client->palette()));
    client->setStyleSheet(DarkFrames());
    for (QWidget* control :
         std::initializer_list<QWidget*>{rtbChat_, rtbWhispers_, lblChannel_, lvChannel_, txtSend_})
        control->setParent(client);
    lblChannel_->setAlignment(Qt::AlignCenter);
    QFont labelFont = lblChannel_->font();
    labelFont.setBold(true);
    lblChannel_->setFont(labelFont);
    setCentralWidget(client);
    client->installEventFilter(this);

    for (PaneView* pane : {rtbChat_, rtbWhispers_})
        connect(pane, &PaneView::linkDoubleClicked, this,
                [this](const QString& href) { openExternal(href.toStdString()); });
    connect(txtSend_, &QLineEdit::returnPressed, this, [this] {
        const QString typed = txtSend_->text();
        std::string text = typed.toStdString();
        if (!txtSend_Enter(bot_->chat, text)) return;
        if (text.empty()) txtSend_->remember(typed);
        txtSend_->setText(shown(text));
    });
    connect(lvChannel_, &MemberList::popupRequested, this, [this](const QPoint& at) {
        if (lvChannel_->count() > 0) muChannelList_->popup(at);
    });
    connect(lvChannel_, &QListWidget::itemDoubleClicked, this, [this] {
        if (const int row = lvChannel_->selectedRow())
            txtSend_->setText(txtSend_->text() + shown(lvChannel_->name(row)));
    });
}

QAction* MainWindow::addEntry(QMenu& menu, const char* name, const QString& caption,
                              const std::function<void()>& click) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (click) connect(action, &QAction::triggered, this, click);
    return action;
}

// The menu entries act on a subsystem of the bot, which exists once the window is built.
template <typename Subsystem>
std::function<void()> MainWindow::on(Subsystem Bot::*subsystem, void (*click)(Subsystem&)) {
    return [this, subsystem, click] { click((*bot_).*subsystem); };
}

void MainWindow::buildMenus() {
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    // The "&" marks the letter that opens each menu with Alt.
    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    QAction* exit = addEntry(*file, "mnuExit", QStringLiteral("Exit"), nullptr);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &MainWindow::endProgram);

    QMenu* botMenu = menu("mnuBot", QStringLiteral("&Bot"));
    addEntry(*botMenu, "mnuReconnect", QStringLiteral("Reconnect"),
             [this] { bot_->connection.Bot_Connect(); });
    addEntry(*botMenu, "mnuDisconnect", QStringLiteral("Disconnect"),
             [this] { bot_->connection.Bot_Disconnect(); });
    botMenu->addSeparator()->setObjectName(QStringLiteral("mnuspc03"));
    addEntry(*botMenu, "mnuClearChat", QStringLiteral("Clear Chat"), on(&Bot::chat, mnuClearChat_Click))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    addEntry(*botMenu, "mnuClearWhispers", QStringLiteral("Clear Whispers"),
             on(&Bot::chat, mnuClearWhispers_Click));

    QMenu* favorites = menu("mnuFavChannels", QStringLiteral("F&avorite Channels"));
    for (int i = 0; i < 5; ++i) {
        QAction* entry = favorites->addAction(QString());
        entry->setObjectName(QStringLiteral("mnuChannel%1").arg(i));
        entry->setShortcut(QKeySequence(Qt::Key_F1 + i));
        entry->setEnabled(false);
        connect(entry, &QAction::triggered, this, [this, i] { mnuChannel_Click(bot_->chat, i); });
    }

    QMenu* configuration = menu("mnuConfiguration", QStringLiteral("&Configuration"));
    addEntry(*configuration, "mnuOpenConfig", QStringLiteral("Open config.bot"),
             on(&Bot::settings, mnuOpenConfig_Click));
    addEntry(*configuration, "mnuReloadConfig", QStringLiteral("Reload config.bot"),
             [this] { ReloadConfig(*bot_); });

    QMenu* tools = menu("mnuTools", QStringLiteral("&Tools"));
    connect(addEntry(*tools, "mnuFilter", QStringLiteral("Filter"), nullptr), &QAction::triggered, this,
            &MainWindow::openFilterDialog);

    QAction* about = menuBar()->addAction(QStringLiteral("A&bout"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, [this] { mnuAbout_Click(*bot_); });
}

// The tray's menu reaches what matters while the window is hidden.
void MainWindow::buildTrayMenu() {
    QMenu& menu = sysTray_.menu();
    menu.addSeparator();
    menu.addAction(&action(QStringLiteral("mnuReconnect")));
    menu.addAction(&action(QStringLiteral("mnuDisconnect")));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Quit"), this, &MainWindow::endProgram);
    // Back from the tray, the window shows its own caption again, not the tray's tip.
    connect(&sysTray_, &SysTray::TrayDblClick, this, [this] { setCaption(ownCaption_); });
}

void MainWindow::buildMemberPopup() {
    muChannelList_ = new QMenu(QStringLiteral("ChannelList"), this);
    muChannelList_->setObjectName(QStringLiteral("muChannelList"));
    QMenu& popup = *muChannelList_;
    addEntry(popup, "mnuDesignate", QStringLiteral("Designate"), on(&Bot::chat, mnuDesignate_Click));
    addEntry(popup, "mnuKick", QStringLiteral("Kick"), on(&Bot::chat, mnuKick_Click));
    addEntry(popup, "mnuBan", QStringLiteral("Ban"), on(&Bot::chat, mnuBan_Click));
    popup.addSeparator()->setObjectName(QStringLiteral("mnuspc01"));
    addEntry(popup, "mnuAdd", QStringLiteral("Add to acceslist"), on(&Bot::chat, mnuAdd_Click));
    addEntry(popup, "mnuRem", QStringLiteral("Remove from acceslist"), on(&Bot::chat, mnuRem_Click));
    popup.addSeparator()->setObjectName(QStringLiteral("mnuspc00"));
    addEntry(popup, "mnuSafeadd", QStringLiteral("Add to safelist"), on(&Bot::chat, mnuSafeadd_Click));
    addEntry(popup, "mnuRemSafelist", QStringLiteral("Remove from safelist"),
             on(&Bot::chat, mnuRemSafelist_Click));
    popup.addSeparator()->setObjectName(QStringLiteral("mnuspc02"));
    addEntry(popup, "mnuWhisper", QStringLiteral("Whisper Window"), on(&Bot::chat, mnuWhisper_Click));
    popup.setToolTipsVisible(true);
    connect(&popup, &QMenu::aboutToShow, this, &MainWindow::followOperatorRights);
}

// Designate, kick and ban need the bot to hold operator status; without it they would do nothing.
void MainWindow::followOperatorRights() {
    const bool op = IsBotOp(bot_->chat);
    for (const char* name : {"mnuDesignate", "mnuKick", "mnuBan"}) {
        QAction& entry = action(QString::fromLatin1(name));
        entry.setEnabled(op);
        entry.setToolTip(op ? QString()
                            : QStringLiteral("The bot holds no operator status in this channel."));
    }
}

void MainWindow::designControls() {
    const TwipsScale scale = TwipsScale::of(*this);
    rtbChat_->setGeometry(toPixels(scale, DesignChat));
    rtbWhispers_->setGeometry(toPixels(scale, DesignWhispers));
    lblChannel_->setGeometry(toPixels(scale, DesignLabel));
    lvChannel_->setGeometry(toPixels(scale, DesignMembers));
    txtSend_->setGeometry(toPixels(scale, DesignInput));
    centralWidget()->setMinimumSize(scale.toPixelsX(MinimumWidth), scale.toPixelsY(MinimumHeight));
    resize(scale.toPixelsX(DesignWidth), scale.toPixelsY(DesignHeight) + menuBar()->sizeHint().height());
    fitIntoScreen();
}

// The first window fits the free area of its screen at any scale, with room for the frame the
// window manager adds, so that the input line is never out of reach.
void MainWindow::fitIntoScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect free = shownOn->availableGeometry();
    resize(size().boundedTo(free.size() - FrameAllowance));
}

QAction& MainWindow::action(const QString& name) const {
    auto* found = findChild<QAction*>(name);
    Q_ASSERT(found);
    return *found;
}

WhisperForm* MainWindow::whisperForm(int slot) const {
    const auto found = whisperForms_.find(slot);
    return found == whisperForms_.end() ? nullptr : found->second.get();
}

// Shell

void MainWindow::setCaption(const std::string& caption) {
    caption_ = ownCaption_ = caption;
    setWindowTitle(shown(caption));
}

WindowGeometry MainWindow::windowGeometry() const {
    const TwipsScale scale = TwipsScale::of(*this);
    const QRect outer = frameGeometry();
    return WindowGeometry{scale.toTwipsX(outer.width()), scale.toTwipsY(outer.height()),
                          scale.toTwipsY(outer.y()), scale.toTwipsX(outer.x())};
}

void MainWindow::setWindowMeasure(WindowMeasure measure, double twips) {
    const TwipsScale scale = TwipsScale::of(*this);
    switch (measure) {
        case WindowMeasure::Left:
            move(scale.toPixelsX(twips), pos().y());
            break;
        case WindowMeasure::Top:
            move(pos().x(), scale.toPixelsY(twips));
            break;
        case WindowMeasure::Width:
            outerWidth_ = scale.toPixelsX(twips);
            applyOuterSize();
            break;
        case WindowMeasure::Height:
            outerHeight_ = scale.toPixelsY(twips);
            applyOuterSize();
            break;
    }
}

// config.bot holds the outer size, frame included; the window itself is that less the frame.
void MainWindow::applyOuterSize() {
    const QSize frame = frameGeometry().size() - size();
    resize(outerWidth_ ? *outerWidth_ - frame.width() : width(),
           outerHeight_ ? *outerHeight_ - frame.height() : height());
}

void MainWindow::setChannelLabel(const std::string& text) {
    lblChannel_->setText(shown(text));
}

void MainWindow::traySetTip(const std::string& tip) {
    sysTray_.ChangeToolTip(tip);
    if (!minimizedOrInTray()) return;
    // The caption shows the tip while the window is away; its own comes back with the window.
    caption_ = tip;
    setWindowTitle(shown(tip));
}

bool MainWindow::minimizedOrInTray() const {
    return isMinimized() || sysTray_.inSysTray();
}

WhisperForm& MainWindow::whisperFormOf(int slot) {
    std::unique_ptr<WhisperForm>& form = whisperForms_[slot];
    if (!form) {
        form = std::make_unique<WhisperForm>(*bot_, slot);
        placeWhisperForm(*form, slot);
    }
    return *form;
}

// Whisper windows go on the main window's screen, side by side, and beside the main window where
// there is room.
void MainWindow::placeWhisperForm(WhisperForm& form, int slot) const {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    form.move(WhisperWindowPlace(shownOn->availableGeometry(), frameGeometry(), form.size() + FrameAllowance,
                                 slot));
}

void MainWindow::whisperWindowOpen(int slot, const std::string& caption) {
    whisperFormOf(slot).open(caption);
}

void MainWindow::whisperWindowActivate(int slot) {
    whisperFormOf(slot).activate();
}

Pane& MainWindow::whisperWindowPane(int slot) {
    return whisperFormOf(slot).pane();
}

void MainWindow::setFavoriteCaption(int entry, const std::string& caption) {
    if (entry < 0 || entry > 4) return;
    // An ampersand in a channel name is text, not a mnemonic.
    action(QStringLiteral("mnuChannel%1").arg(entry))
        .setText(shown(caption).replace(u'&', QStringLiteral("&&")));
}

void MainWindow::enableFavorite(int entry) {
    if (entry < 0 || entry > 4) return;
    action(QStringLiteral("mnuChannel%1").arg(entry)).setEnabled(true);
}

void MainWindow::setWhisperWindowEntryEnabled(bool enabled) {
    action("mnuWhisper").setEnabled(enabled);
}

void MainWindow::relayout(bool whispersPaneShown) {
    whispersShown_ = whispersPaneShown;
    rtbWhispers_->setVisible(whispersPaneShown);
    action("mnuClearWhispers").setEnabled(whispersPaneShown);
    formResize();
}

void MainWindow::openExternal(const std::string& target) {
    QDesktopServices::openUrl(ExternalUrl(target));
}

void MainWindow::endProgram() {
    QCoreApplication::exit(0);
}

// Layout

void MainWindow::formResize() {
    if (!bot_) return;
    if (isMinimized()) {
        Form_Resize(*bot_, true);
        return;
    }
    layOut();
    Form_Resize(*bot_, false);
}

void MainWindow::layOut() {
    const TwipsScale scale = TwipsScale::of(*this);
    const QSize client = centralWidget()->size();
    const MainLayout layout = FormLayout({scale.toTwipsX(client.width()), scale.toTwipsY(client.height()),
                                          scale.toTwipsY(txtSend_->height()), whispersShown_, isMaximized(),
                                          scale.toTwipsX(lblChannel_->width())});
    placeControl(*rtbChat_, layout.rtbChat);
    placeControl(*lblChannel_, layout.lblChannel);
    placeControl(*lvChannel_, layout.lvChannel);
    if (layout.rtbWhispers) placeControl(*rtbWhispers_, *layout.rtbWhispers);
    placeControl(*txtSend_, layout.txtSend);
}

void MainWindow::placeControl(QWidget& control, const Placement& placement) {
    const TwipsScale scale = TwipsScale::of(*this);
    const QRect now = control.geometry();
    const TwipsRect current{scale.toTwipsX(now.x()), scale.toTwipsY(now.y()), scale.toTwipsX(now.width()),
                            scale.toTwipsY(now.height())};
    control.setGeometry(toPixels(scale, Place(current, placement)));
}

// Events

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) formResize();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (!isMinimized()) {
        formResize();
        return;
    }
    // Going to the tray hides the window, which must wait until the state change is complete:
    // whoever minimised the window may still be showing it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isMinimized()) formResize();
        },
        Qt::QueuedConnection);
}

bool MainWindow::event(QEvent* event) {
    // The window manager's frame is known only once the window is on the screen; the outer size
    // from config.bot is applied again then, so that a saved size does not grow by the frame.
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (placed && (outerWidth_ || outerHeight_) && frameGeometry().size() != size()) {
        applyOuterSize();
        outerWidth_.reset();
        outerHeight_.reset();
    }
    return QMainWindow::event(event);
}

// Form_Unload: the icon leaves the notification area and the program ends.
void MainWindow::closeEvent(QCloseEvent* event) {
    sysTray_.RemoveFromSysTray();
    event->accept();
    endProgram();
}

void MainWindow::openFilterDialog() {
    if (frmFilter_ && frmFilter_->isVisible()) {
        frmFilter_->raise();
        frmFilter_->activateWindow();
        return;
    }
    delete frmFilter_;
    frmFilter_ = new FilterDialog(*bot_, this);
    frmFilter_->setAttribute(Qt::WA_DeleteOnClose);
    // Back from the dialog, typing goes on in the input line, wherever the focus was before.
    connect(frmFilter_, &QDialog::finished, this, [this] {
        activateWindow();
        txtSend_->setFocus();
    });
    frmFilter_->show();
}

}  // namespace morva
