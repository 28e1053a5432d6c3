#include <gtest/gtest.h>

#include <QTextCursor>

#include "chat/whisper_windows.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/ini_text.h"
#include "support/config_text.h"
#include "ui/external_url.h"
#include "ui/pane_view.h"
#include "ui/web_links.h"
#include "ui/whisper_form.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

std::vector<QString> Links(const QString& text) {
    std::vector<QString> links;
    for (const LinkSpan& span : FindWebLinks(text)) links.push_back(text.mid(span.start, span.length));
    return links;
}

TEST(FindWebLinks, FindsWebAddressesWithoutTheSentenceAroundThem) {
    const struct {
        const char* text;
        std::vector<QString> links;
    } cases[] = {
        {"see http://example.com/a?b=1 now", {"http://example.com/a?b=1"}},
        {"HTTPS://Example.com/X.", {"HTTPS://Example.com/X"}},
        {"at www.example.org, or (https://x.io/y)!", {"www.example.org", "https://x.io/y"}},
        {"https://en.wikipedia.org/wiki/Go_(game) and more", {"https://en.wikipedia.org/wiki/Go_(game)"}},
        {"two:http://a.b \"http://c.d\"", {"http://a.b", "http://c.d"}},
        {"no link in awww.example.org or ftp://x.y or mailto:a@b.c", {}},
        {"just the prefix http:// or www. is no link", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Links(QString::fromUtf8(c.text)), c.links);
    }
}

TEST(ExternalUrl, OpensWebAddressesAsTheyStandAndEverythingElseAsAFile) {
    EXPECT_EQ(ExternalUrl("http://example.com/a?b=1"), QUrl("http://example.com/a?b=1"));
    EXPECT_EQ(ExternalUrl("HTTPS://example.com/"), QUrl("https://example.com/"));
    EXPECT_EQ(ExternalUrl("www.example.org/x"), QUrl("http://www.example.org/x"));
    EXPECT_EQ(ExternalUrl("/home/op/morva/config.bot"), QUrl::fromLocalFile("/home/op/morva/config.bot"));
    EXPECT_EQ(ExternalUrl("/tmp/my profile/config.bot").toLocalFile(),
              QStringLiteral("/tmp/my profile/config.bot"));
}

class ChatLinks : public MainWindowFixture {
protected:
    // The point in a pane over the first character of text.
    static QPoint pointIn(PaneView& pane, const QString& text) {
        const qsizetype at = pane.toPlainText().indexOf(text);
        EXPECT_GE(at, 0) << text.toStdString();
        QTextCursor cursor(pane.document());
        cursor.setPosition(static_cast<int>(at) + 1);
        return pane.cursorRect(cursor).center();
    }
    QPoint pointOf(const QString& text) { return pointIn(window->chatView(), text); }
};

TEST_F(ChatLinks, ADoubleClickOnALinkOpensItAndASingleClickDoesNothing) {
    start();
    UrlRecorder desktop({QStringLiteral("http"), QStringLiteral("https")});
    AddChat(bot().output, {{ColorUserName, "Joe: "},
                           {ColorWhite, "look at https://example.com/clip?t=3, or www.example.org."}});
    ProcessEvents();
    PaneView& pane = window->chatView();
    QWidget& viewport = *pane.viewport();

    EXPECT_EQ(pane.anchorAt(pointOf("https://")), QStringLiteral("https://example.com/clip?t=3"));
    EXPECT_EQ(pane.anchorAt(pointOf("look")), QString());

    SendMouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton, pointOf("https://"));
    SendMouse(viewport, QEvent::MouseButtonRelease, Qt::LeftButton, pointOf("https://"));
    EXPECT_TRUE(desktop.opened.empty());

    DoubleClick(viewport, pointOf("https://"));
    DoubleClick(viewport, pointOf("www."));
    DoubleClick(viewport, pointOf("look"));
    EXPECT_EQ(desktop.opened,
              (std::vector<QUrl>{QUrl("https://example.com/clip?t=3"), QUrl("http://www.example.org")}));
}

TEST_F(ChatLinks, TheWhispersPaneAndWhisperWindowsOpenLinksTheSameWay) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "WhisperWindow", "True"));
    start();
    UrlRecorder desktop({QStringLiteral("http"), QStringLiteral("https")});
    AddChat(bot().output, bot().output.rtbWhispers, {{ColorWhite, "see http://example.com/w"}});
    OpenWhisperWindow(bot().chat, "bob");
    AddChat(bot().output, window->whisperForm(0)->pane(), {{ColorWhite, "and https://example.org/f"}});
    ProcessEvents();
    for (PaneView* pane : {&window->whispersView(), &window->whisperForm(0)->paneView()}) {
        pane->resize(400, 200);
        ProcessEvents();
        const QString link = pane->toPlainText().contains(QStringLiteral("http://"))
                                 ? QStringLiteral("http://")
                                 : QStringLiteral("https://");
        DoubleClick(*pane->viewport(), pointIn(*pane, link));
    }
    EXPECT_EQ(desktop.opened,
              (std::vector<QUrl>{QUrl("http://example.com/w"), QUrl("https://example.org/f")}));
}

TEST_F(ChatLinks, OpenConfigOpensTheProfilesConfigFile) {
    start();
    UrlRecorder desktop({QStringLiteral("file")});
    window->action("mnuOpenConfig").trigger();
    EXPECT_EQ(desktop.opened, std::vector<QUrl>{QUrl::fromLocalFile(
                                  QString::fromStdString((profile.dir() / "config.bot").string()))});
}

}  // namespace
}  // namespace morva::testing
