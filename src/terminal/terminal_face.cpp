#include "terminal/terminal_face.h"

#include <QCoreApplication>

#include "bot/bot.h"
#include "bot/startup.h"
#include "moderation/input_enter.h"
#include "platform/memory_member_view.h"
#include "platform/system_clock.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "qt/quit_on_signals.h"
#include "terminal/stdin_lines.h"
#include "terminal/terminal_actions.h"
#include "terminal/terminal_pane.h"
#include "terminal/terminal_shell.h"

namespace morva {

int RunTerminalFace(const std::filesystem::path& profileDir) {
    QtTimerFactory timers;
    const std::unique_ptr<Deferred> flush = timers.makeDeferred();
    const LinePrinter printer = LinePrinter::forStdout(*flush);
    TerminalPane chat(printer, "");
    TerminalPane whispers(printer, "[whispers] ");
    MemoryMemberView members;
    TerminalShell shell(printer, [] { QCoreApplication::exit(0); });
    QtSocketFactory sockets;
    SystemClock clock;
    Bot bot(Ports{timers, sockets, clock, chat, whispers, members, shell}, profileDir);

    QuitOnSignals();
    Form_Load(bot);
    const StdinLines input([&bot](const std::string& line) {
        if (RunTerminalAction(bot, line)) return;
        std::string txtSend = line;
        txtSend_Enter(bot.chat, txtSend);
    });
    return QCoreApplication::exec();
}

}  // namespace morva
