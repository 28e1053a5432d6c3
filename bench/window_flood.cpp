// The window under a flood: the real main window and bot (as the desktop program makes them) on a
// real loopback socket, flooded by the test server, with a 10 ms heartbeat timer. Figures: the
// longest gap between heartbeats during the flood, the time from the flood's first byte to its
// last line in the chat pane, and the resident size idle and after the flood. The baseline is a
// bare QTextBrowser of the same size appending the same coloured lines in the same batches (the
// numbers of lines each edit of the window's document brought), one batch per turn of the event
// loop. Figure names start with the Qt platform (offscreen, xcb).
// Usage: bench_window_flood [EVENTS]   (20000)
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/display_text.h"
#include "support/bot_fixture.h"
#include "support/bot_on_doubles.h"
#include "support/flood_server.h"
#include "support/measure.h"
#include "testserver/flood_events.h"
#include "ui/desktop_session.h"
#include "ui/pane_view.h"

namespace morva::bench {
namespace {

using namespace std::chrono_literals;
using testserver::FloodEvents;

// Runs the event loop until `done` holds, checking every few ms, or the time is up.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

void RunFor(std::chrono::milliseconds time) {
    RunUntil([] { return false; }, time);
}

// A 10 ms timer that notes when it fires.
class Heartbeat {
public:
    Heartbeat() {
        ticks_.reserve(1 << 16);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { ticks_.push_back(MonotonicNs()); });
        timer_.start(10);
    }
    // The longest time in [from, to] without a tick, in ms.
    double longestGapMs(std::int64_t from, std::int64_t to) const {
        std::int64_t last = from, longest = 0;
        for (const std::int64_t tick : ticks_) {
            if (tick <= from) continue;
            if (tick > to) break;
            longest = std::max(longest, tick - last);
            last = tick;
        }
        return static_cast<double>(std::max(longest, to - last)) / 1e6;
    }

private:
    QTimer timer_;
    std::vector<std::int64_t> ticks_;
};

// Follows the flood in a pane's document: after each edit, how many flood lines it brought, and
// when the last one arrived.
class FloodWatch {
public:
    FloodWatch(QTextDocument& document, std::int64_t events, std::function<void()> onEnd)
        : document_(document), events_(events), onEnd_(std::move(onEnd)) {
        QObject::connect(&document, &QTextDocument::contentsChange, [this] { edited(); });
    }
    const std::vector<int>& batches() const { return batches_; }
    std::int64_t endNs() const { return endNs_; }
    bool ended() const { return endNs_ > 0; }

private:
    void edited() {
        // The document ends in the empty paragraph after the last line.
        const QTextBlock last = document_.lastBlock().previous();
        if (!last.isValid()) return;
        const std::int64_t index = FloodEvents::indexOf(last.text().toStdString());
        if (index <= seen_) return;
        batches_.push_back(static_cast<int>(index - seen_));
        seen_ = index;
        if (index + 1 == events_) {
            endNs_ = MonotonicNs();
            onEnd_();
        }
    }

    QTextDocument& document_;
    std::int64_t events_;
    std::function<void()> onEnd_;
    std::int64_t seen_ = -1;
    std::int64_t endNs_ = 0;
    std::vector<int> batches_;
};

// A pane that keeps every line it is given, for the baseline to replay.
class KeepingPane : public Pane {
public:
    void appendLine(const PaneLine& line) override { lines.push_back(line); }
    int length() const override { return 0; }
    void dropFront(int) override {}
    void clear() override { lines.clear(); }
    std::vector<PaneLine> lines;
};

// The flood's talk lines as the core makes them, from a bot on the tests' doubles.
std::vector<PaneLine> TalkLines(std::int64_t events) {
    testing::TempProfile profile;
    testing::VirtualClock clock;
    testing::FakeSocketFactory sockets;
    KeepingPane chat;
    MemoryPane whispers;
    MemoryMemberView members;
    testing::RecordingShell shell;
    Bot bot(Ports{clock, sockets, clock, chat, whispers, members, shell}, profile.dir());
    bot.settings.BotConfig.Binary = true;
    bot.settings.BotConfig.Server = "chat.test";
    bot.settings.BotConfig.Port = 6112;
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
    sockets.made[0]->receive(FloodEvents::bytes(events, true));
    clock.advance(0);
    std::vector<PaneLine> talk;
    for (PaneLine& line : chat.lines)
        if (!line.runs.empty() && FloodEvents::indexOf(line.runs.back().text) >= 0)
            talk.push_back(std::move(line));
    if (talk.size() != static_cast<std::size_t>(events))
        throw std::runtime_error("the core lost flood lines");
    return talk;
}

// The bare browser's edit: each run in its colour, a paragraph per line, one edit per batch; the same
// trim as the program's panes (past 50,000 characters, 25,000 go from the front); the view follows
// the new lines.
void AppendBatch(QTextBrowser& browser, const std::vector<PaneLine>& lines, std::size_t from,
                 std::size_t to) {
    QTextDocument& document = *browser.document();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    const auto insert = [&](const Run& run) {
        QTextCharFormat format;
        format.setForeground(QColor(run.color.r, run.color.g, run.color.b));
        cursor.insertText(QString::fromStdString(DisplayText(run.text)), format);
    };
    for (std::size_t i = from; i < to; ++i) {
        insert(lines[i].stamp);
        for (const Run& run : lines[i].runs) insert(run);
        cursor.insertBlock();
    }
    cursor.endEditBlock();
    if (document.characterCount() > 50000) {
        const QTextBlock kept = document.findBlock(25000).next();
        QTextCursor front(&document);
        front.setPosition(kept.position(), QTextCursor::KeepAnchor);
        front.removeSelectedText();
    }
    browser.verticalScrollBar()->setValue(browser.verticalScrollBar()->maximum());
}

struct Baseline {
    double seconds;
    double longestGapMs;
};

Baseline ReplayInBareBrowser(const std::vector<PaneLine>& lines, const std::vector<int>& batches,
                             QSize size) {
    QTextBrowser browser;
    browser.resize(size);
    browser.show();
    RunFor(200ms);
    Heartbeat heartbeat;
    QEventLoop loop;
    QTimer turn;
    std::size_t done = 0, batch = 0;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const std::size_t to = std::min(lines.size(), done + static_cast<std::size_t>(batches[batch++]));
        AppendBatch(browser, lines, done, to);
        done = to;
        if (done == lines.size() || batch == batches.size()) loop.quit();
    });
    const std::int64_t start = MonotonicNs();
    turn.start(0);
    loop.exec();
    const std::int64_t end = MonotonicNs();
    return {static_cast<double>(end - start) / 1e9, heartbeat.longestGapMs(start, end)};
}

void Run(std::int64_t events) {
    const std::string platform = QGuiApplication::platformName().toStdString();
    const auto figure = [&](const std::string& name, double value) {
        PrintFigure(platform + "_" + name, value);
    };
    const std::vector<PaneLine> lines = TalkLines(events);

    FloodServer server(events, 1500);
    testing::TempProfile profile;
    WriteFloodProfile(profile.dir(), server.port());
    DesktopSession session(profile.dir());
    session.start();
    MainWindow& window = session.window();
    if (!RunUntil([&] { return window.channelLabel().text().contains("Flood Test"); }, 20s))
        throw std::runtime_error("the bot did not join its channel");
    RunFor(500ms);
    figure("window_idle_kb", static_cast<double>(ResidentKb(::getpid())));

    QEventLoop flood;
    FloodWatch watch(*window.chatView().document(), events, [&] { flood.quit(); });
    Heartbeat heartbeat;
    QTimer::singleShot(120s, &flood, &QEventLoop::quit);
    flood.exec();
    if (!watch.ended()) throw std::runtime_error("the flood's last line never reached the chat pane");
    const std::int64_t start = server.startNs(1s);
    figure("window_events", static_cast<double>(events));
    figure("window_seconds", static_cast<double>(watch.endNs() - start) / 1e9);
    figure("window_longest_gap_ms", heartbeat.longestGapMs(start, watch.endNs()));
    figure("window_edits", static_cast<double>(watch.batches().size()));
    RunFor(500ms);
    figure("window_after_flood_kb", static_cast<double>(ResidentKb(::getpid())));

    const QSize size = window.chatView().size();
    window.hide();
    const Baseline baseline = ReplayInBareBrowser(lines, watch.batches(), size);
    figure("window_baseline_seconds", baseline.seconds);
    figure("window_baseline_longest_gap_ms", baseline.longestGapMs);
}

}  // namespace
}  // namespace morva::bench

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        morva::bench::Run(argc > 1 ? std::atoll(argv[1]) : 20000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_window_flood: %s\n", e.what());
        return 1;
    }
    return 0;
}
