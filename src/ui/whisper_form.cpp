#include "ui/whisper_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include "bot/bot.h"
#include "chat/whisper_windows.h"
#include "platform/display_text.h"
#include "ui/member_icons.h"
#include "ui/member_names.h"
#include "ui/pane_view.h"
#include "ui/twips.h"
#include "ui/window_style.h"

namespace morva {

WhisperForm::WhisperForm(Bot& bot, int slot)
    : bot_(bot),
      slot_(slot),
      rtbWhisper_(new PaneView(this)),
      txtSend_(new HistoryLineEdit(this)),
      pane_(*rtbWhisper_, QtPane::Links::Detected) {
    setWindowTitle(QStringLiteral("Whisper Window"));
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    setAutoFillBackground(true);
    setPalette(DarkPalette(palette()));
    setStyleSheet(DarkFrames());

    // Designed in twips: the pane at 120, 120, 5775 × 3135, the line at 120, 3360, 5775 × 375,
    // in a client area of 6015 × 3855.
    const TwipsScale twips = TwipsScale::of(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips.toPixelsX(120), twips.toPixelsY(120), twips.toPixelsX(120),
                               twips.toPixelsY(120));
    layout->setSpacing(twips.toPixelsY(105));
    layout->addWidget(rtbWhisper_, 1);
    layout->addWidget(txtSend_);
    txtSend_->setFixedHeight(twips.toPixelsY(375));
    resize(twips.toPixelsX(6015), twips.toPixelsY(3855));

    connect(txtSend_, &QLineEdit::returnPressed, this, &WhisperForm::txtSend_Enter);
    txtSend_->setCompletions([this] { return MemberNames(bot_.chat); });
    connect(rtbWhisper_, &PaneView::linkDoubleClicked, this,
            [this](const QString& href) { bot_.ports.shell.openExternal(href.toStdString()); });
    // News in a window the user is not in: the window manager marks or flashes it.
    connect(rtbWhisper_->document(), &QTextDocument::contentsChanged, this, [this] {
        if (isVisible() && !isActiveWindow()) QApplication::alert(this);
    });
}

void WhisperForm::open(const std::string& caption) {
    pane_.clear();
    txtSend_->clear();
    setWindowTitle(QString::fromStdString(DisplayText(caption)));
    // A window opened by an arriving whisper must not take the keyboard from what the user is typing
    // elsewhere; the user's own openings activate it afterwards.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    txtSend_->setFocus();
}

void WhisperForm::activate() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void WhisperForm::txtSend_Enter() {
    const QString typed = txtSend_->text();
    std::string text = typed.toStdString();
    WhisperWindowEnter(bot_.chat, slot_, text);
    if (text.empty()) txtSend_->remember(typed);
    txtSend_->setText(QString::fromStdString(DisplayText(text)));
    txtSend_->setFocus();
}

void WhisperForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WhisperForm::closeEvent(QCloseEvent* event) {
    WhisperWindowClosed(bot_.chat, slot_);
    event->accept();
}

}  // namespace morva
