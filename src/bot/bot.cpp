#include "bot/bot.h"

#include "bot/main_window.h"
#include "chat/channel_users.h"
#include "chat/event_processor.h"
#include "moderation/commands.h"
#include "output/program_texts.h"
#include "scripts/chat_events.h"

namespace morva {

namespace {
std::unique_ptr<Timer> stoppedTimer(TimerFactory& timers, int intervalMs) {
    auto timer = timers.makeTimer();
    timer->setInterval(intervalMs);
    return timer;
}
}  // namespace

WindowTimers::WindowTimers(TimerFactory& timers)
    : tmrIdle(stoppedTimer(timers, 60000)), tmrResize(stoppedTimer(timers, 1000)) {}

Bot::Bot(Ports ports_, std::filesystem::path profileDir)
    : ports(ports_),
      output(ports.rtbChat, ports.rtbWhispers, ports.clock),
      chatLog(ports.timers, output),
      settings(std::move(profileDir), output, ports.shell),
      connection(ports.timers, ports.sockets, ports.clock, settings, output),
      chat(output, settings, connection, ports.shell, ports.lvChannel, ports.timers),
      census(chat, ports.timers),
      scripts(chat, ports.timers),
      window(ports.timers) {
    output.log = &chatLog;
    connection.setListener(*this);
    chat.setHooks(*this);
    window.tmrIdle->setOnTick([this] { tmrIdle_Timer(*this); });
    window.tmrResize->setOnTick([this] { tmrResize_Timer(*this); });
}

void Bot::startIdle() {
    if (settings.BotConfig.IdleDelay != 0) {
        window.tmrIdle->start();
    } else {
        window.tmrIdle->stop();
    }
}

void Bot::textLogonSent() {
    startIdle();
    ports.shell.setCaption(chat.LoggedInCaption());
}

void Bot::binaryLoggedOn() {
    chat.CurrentName = settings.BotConfig.Username;
    startIdle();
    census.StartCensus();
    scripts.notify(LogonEvent(chat));
}

void Bot::chatEvent(const ChatEvent& event) {
    ProcessEventLine(chat, event);
    if (auto heard = ScriptEventOf(chat, event)) scripts.notify(std::move(*heard));
}

namespace {
const char* reasonText(SessionEnd why) {
    switch (why) {
        case SessionEnd::Lost:
            return "lost";
        case SessionEnd::Disconnected:
            return "disconnected";
        case SessionEnd::Replaced:
            return "replaced";
        case SessionEnd::Refused:
            return "refused";
    }
    return "lost";
}
}  // namespace

void Bot::sessionEnded(SessionEnd why) {
    if (why == SessionEnd::Lost || why == SessionEnd::Disconnected)
        ports.shell.setCaption(std::string(TitleText) + "; Disconnected.");
    if (why == SessionEnd::Refused) ports.shell.setCaption(std::string(TitleText) + "; Logon refused.");
    window.tmrIdle->stop();
    chat.capture.close();
    census.Stop();
    if (why != SessionEnd::Replaced) {
        ForgetMembers(chat);
        ports.shell.setChannelLabel("Not connected");
    }
    scripts.notify({"on_disconnect", {reasonText(why)}});
}

void Bot::CheckTrigger(std::string_view speaker, std::string_view text) {
    morva::CheckTrigger(chat, speaker, text);
}

// The ban is requested exactly as if the master had typed it, so the safe list spares whom it spares.
void Bot::ProtectChannel(const std::string& name) {
    const BotConfig& c = settings.BotConfig;
    ChatCommand(chat, c.Master, c.Trigger + "ban " + name + " " + c.ProtectMessage);
}

void Bot::TextLoggedOn() {
    census.StartCensus();
}

bool Bot::OtherCommand(const std::string& speaker, const std::string& word, const std::string& argument) {
    return scripts.offer({"on_command", {speaker, word, argument}});
}

bool Bot::InputTaken(const std::string& line) {
    return scripts.offer({"on_input", {line}});
}

}  // namespace morva
