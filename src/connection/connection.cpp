#include "connection/connection.h"

#include <algorithm>

#include "connection/connection_listener.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/clock.h"
#include "settings/settings.h"

namespace morva {

namespace {
constexpr int MaxTimerInterval = 32767;

// "45 s", "2 min 13 s", "3 h 20 min".
std::string Duration(long long ms) {
    const long long seconds = ms / 1000;
    if (seconds < 60) return std::to_string(seconds) + " s";
    if (seconds < 3600) return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds % 3600 / 60) + " min";
}
}  // namespace

Connection::Connection(TimerFactory& timers, SocketFactory& sockets, const Clock& clock,
                       const Settings& settings, Output& output)
    : timers_(timers),
      sockets_(sockets),
      clock_(clock),
      settings_(settings),
      output_(output),
      tmrLoginTimeout(timers.makeTimer()),
      tmrLogin(timers.makeTimer()),
      tmrBackoff(timers.makeTimer()),
      nextSlice_(timers.makeDeferred()),
      queue_(timers, clock, settings.BotConfig, [this](const std::string& line) { SendChatNow(line); }) {
    tmrLoginTimeout->setOnTick([this] { tmrLoginTimeout_Timer(); });
    tmrLogin->setInterval(LoginTickMs);
    tmrLogin->setOnTick([this] { tmrLogin_Timer(); });
    tmrBackoff->setOnTick([this] { tmrBackoff_Timer(); });
    nextSlice_->setWork([this] { readSlice(); });
    addSocket();
}

Connection::~Connection() = default;

const BotConfig& Connection::config() const {
    return settings_.BotConfig;
}

void Connection::addSocket() {
    const int index = socketCount();
    auto socket = sockets_.makeSocket();
    socket->setEvents(Socket::Events{
        [this, index] { sckKol_Connect(index); },
        [this, index](const std::string& bytes) { sckKol_DataArrival(index, bytes); },
        [this, index] { sckKol_Failed(index); },
        [this, index](int, const std::string& reason) { sckKol_Failed(index, reason); },
    });
    auto timer = timers_.makeTimer();
    timer->setOnTick([this, index] { tmrKol_Timer(index); });
    sckKol.push_back(std::move(socket));
    tmrKol.push_back(std::move(timer));
    failed_.push_back(false);
    toldNoAnswer_.push_back(false);
}

void Connection::Bot_LoadSockets() {
    const int wanted = config().Socks;
    if (wanted > MaxSockets) {
        AddChat(output_,
                {{ColorError, "Bot: config.bot asks for " + std::to_string(wanted) + " sockets; at most " +
                                  std::to_string(MaxSockets) + " are used."}});
    }
    const int used = std::min<int>(wanted, MaxSockets);
    while (socketCount() < used) addSocket();
    AddChat(output_, {{ColorGrey, "Bot: Using "},
                      {ColorWhite, std::to_string(used)},
                      {ColorGrey, " socket(s) for connection."}});
}

// Transitions

void Connection::Bot_Connect() {
    if (sessionUp()) endSession(SessionEnd::Replaced);
    backoffMs_ = 0;
    if (hasAddress()) startRace();
}

// Without a server and a port there is nothing to dial: the bot waits for config.bot to be filled in.
bool Connection::hasAddress() {
    const char* missing = config().Server.empty()                      ? "no server: set Server="
                          : config().Port < 1 || config().Port > 65535 ? "no port: set Port= (1 to 65535)"
                                                                       : nullptr;
    if (!missing) return true;
    stopAll();
    state_ = State::Idle;
    AddChat(output_, {{ColorError, std::string("Bot: Not connecting, ") + missing +
                                       " in section [Profile] of config.bot, then Reconnect."}});
    return false;
}

std::string Connection::address() const {
    return config().Server + ":" + std::to_string(config().Port);
}

void Connection::Bot_Disconnect() {
    stopAll();
    state_ = State::Idle;
    if (listener_) listener_->sessionEnded(SessionEnd::Disconnected);
    dropQueue();
    AddChat(output_, {{ColorRed, "Disconnected from the server."}});
}

// A race waits its back-off before the first dial; without one it starts at once.
void Connection::startRace() {
    AddChat(output_, {{ColorGrey, "Bot: Connecting to: "}, {ColorWhite, address() + "."}});
    stopAll();
    if (backoffMs_ == 0) {
        armRaceTimers();
        return;
    }
    AddChat(output_, {{ColorGrey, "Bot: Next attempt in " + std::to_string(backoffMs_ / 1000) + " s."}});
    state_ = State::WaitingToRetry;
    tmrBackoff->setInterval(backoffMs_);
    tmrBackoff->start();
}

// Every socket re-dials on its own timer, Delay + i x Stagger ms apart, kept within what a 16-bit
// interval can hold.
void Connection::armRaceTimers() {
    state_ = State::Racing;
    bool clamped = false;
    for (std::size_t i = 0; i < tmrKol.size(); ++i) {
        const long wanted = config().Delay + static_cast<long>(i) * config().Stagger;
        const long interval = std::clamp<long>(wanted, 0, MaxTimerInterval);
        clamped = clamped || interval != wanted;
        failed_[i] = false;
        toldNoAnswer_[i] = false;
        tmrKol[i]->setInterval(static_cast<int>(interval));
        tmrKol[i]->start();
    }
    if (clamped) {
        AddChat(output_, {{ColorError,
                           "Bot: \"Delay\" + socket number x \"Stagger\" falls outside 0 to 32767 ms; the "
                           "connection timers are kept within that range."}});
    }
}

// A race or a connection that ended without a working logon: the next race waits longer, so that a
// server that is down or refuses the bot is not hammered.
void Connection::retryAfterFailure() {
    backoffMs_ = backoffMs_ == 0 ? FirstBackoffMs : std::min(2 * backoffMs_, MaxBackoffMs);
    startRace();
}

// What ends a connection that was up, whoever ends it: its socket, its timers, its queued lines.
void Connection::endSession(SessionEnd why) {
    stopAll();
    state_ = State::Idle;
    ++session_;
    if (listener_) listener_->sessionEnded(why);
    dropQueue();
}

void Connection::stopAll() {
    for (std::size_t i = 0; i < sckKol.size(); ++i) {
        tmrKol[i]->stop();
        if (sckKol[i]->state() != Socket::Closed) sckKol[i]->close();
    }
    tmrLoginTimeout->stop();
    tmrLogin->stop();
    tmrBackoff->stop();
    forgetUnread();
}

void Connection::forgetUnread() {
    unread_.clear();
    unreadBytes_ = 0;
    nextSlice_->cancel();
    peerEnded_ = false;
}

void Connection::dropQueue() {
    const std::size_t dropped = queue_.drop();
    if (dropped > 0)
        AddChat(output_, {{ColorGrey, "Bot: " + std::to_string(dropped) +
                                          " queued line(s) dropped with the connection."}});
}

void Connection::loggedOn() {
    tmrLogin->stop();
    tmrLoginTimeout->stop();
    if (state_ != State::Connected) return;
    state_ = State::LoggedOn;
    loggedOnAtMs_ = clock_.monotonicMs();
}

// A connection that was up is gone: a logon that worked for a while is made again at once, anything
// shorter counts as a failure.
void Connection::connectionLost(const std::string& why) {
    const long long now = clock_.monotonicMs();
    if (!why.empty())
        AddChat(output_, {{ColorError, "Bot: The connection ended after " + Duration(now - connectedAtMs_) +
                                           ": " + why + "."}});
    const bool worked = state_ == State::LoggedOn && now - loggedOnAtMs_ >= StableLogonMs;
    endSession(SessionEnd::Lost);
    if (worked) {
        backoffMs_ = 0;
        startRace();
    } else {
        retryAfterFailure();
    }
}

// Gives the session the oldest read that waits.
void Connection::takeUnread() {
    if (config().Binary) {
        binary_.feed(unread_.front());
    } else {
        text_.feed(unread_.front());
    }
    unreadBytes_ -= unread_.front().size();
    unread_.pop_front();
}

void Connection::controlFlow() {
    const std::size_t backlog = unreadBytes_ + (config().Binary ? binary_.unhandled() : text_.unhandled());
    Socket& socket = *sckKol[static_cast<std::size_t>(ActiveSocket_)];
    if (backlog > MaxUnreadBytes) socket.setReading(false);
    if (backlog <= MaxUnreadBytes / 4) socket.setReading(true);
}

// What the server sent before it ended the connection is handled first.
void Connection::peerEnded(const std::string& why) {
    peerEnded_ = true;
    endedBecause_ = why;
    if (!reading_ && !nextSlice_->isScheduled()) readSlice();
}

// Timer and socket events

void Connection::tmrKol_Timer(int index) {
    const auto i = static_cast<std::size_t>(index);
    Socket& socket = *sckKol[i];
    if (socket.state() == Socket::Connecting && !toldNoAnswer_[i]) {
        toldNoAnswer_[i] = true;
        AddChat(output_, {{ColorError, "Bot: (" + std::to_string(index) + ") No answer from " + address() +
                                           " within " + std::to_string(tmrKol[i]->interval()) +
                                           " ms; dialing again."}});
    }
    socket.close();
    socket.connectTo(config().Server, config().Port);
}

void Connection::tmrBackoff_Timer() {
    tmrBackoff->stop();
    armRaceTimers();
}

void Connection::sckKol_Connect(int index) {
    const auto i = static_cast<std::size_t>(index);
    if (state_ != State::Racing || failed_[i]) {
        sckKol[i]->close();
        return;
    }
    state_ = State::Connected;
    ++session_;
    ActiveSocket_ = static_cast<std::int16_t>(index);
    connectedAtMs_ = clock_.monotonicMs();
    binary_.reset();
    text_.reset();
    forgetUnread();
    tmrLoginTimeout->setInterval(config().LoginTimeout);
    tmrLoginTimeout->start();
    if (config().Binary) {
        connectBinary();
    } else {
        connectText();
    }
    // The race is over: only the winner stays open.
    for (std::size_t other = 0; other < sckKol.size(); ++other) {
        tmrKol[other]->stop();
        if (other != i) sckKol[other]->close();
    }
}

void Connection::sckKol_DataArrival(int index, const std::string& bytes) {
    if (!sessionUp() || index != ActiveSocket_) return;
    unread_.push_back(bytes);
    unreadBytes_ += bytes.size();
    controlFlow();
    if (!reading_ && !nextSlice_->isScheduled()) readSlice();
}

// Handles received events until none is left or the slice is used up; the rest waits for the next
// turn of the event loop. Reads wait in order, so events are handled in the order their bytes came.
void Connection::readSlice() {
    reading_ = true;
    const std::uint64_t session = session_;
    const long long start = clock_.monotonicMs();
    for (int handled = 0; session == session_ && sessionUp();) {
        if (handled == SliceEvents || (handled % 32 == 0 && clock_.monotonicMs() - start >= SliceMs)) {
            nextSlice_->schedule();
            break;
        }
        if (handleNextEvent()) {
            ++handled;
        } else if (!unread_.empty()) {
            takeUnread();
        } else {
            if (peerEnded_) connectionLost(endedBecause_);
            break;
        }
    }
    if (session == session_ && sessionUp()) controlFlow();
    reading_ = false;
    // Data of a connection made while an event of the old one was handled gets a slice of its own.
    if (!unread_.empty() && sessionUp() && !nextSlice_->isScheduled()) nextSlice_->schedule();
}

// A close or an error: the end of the connection that was up, or one failed dial of the race. The
// race goes on while any of its sockets may still connect.
void Connection::sckKol_Failed(int index, const std::string& reason) {
    const auto i = static_cast<std::size_t>(index);
    const std::string why = reason.empty() ? "closed by the server" : reason;
    if (sessionUp() && index == ActiveSocket_) {
        peerEnded(why);
        return;
    }
    if (state_ != State::Racing || failed_[i]) return;
    AddChat(output_, {{ColorError, "Bot: (" + std::to_string(index) + ") Could not connect to " + address() +
                                       ": " + why + "."}});
    failed_[i] = true;
    tmrKol[i]->stop();
    sckKol[i]->close();
    for (std::size_t other = 0; other < sckKol.size(); ++other)
        if (!failed_[other] && tmrKol[other]->interval() > 0) return;
    stopAll();
    state_ = State::Idle;
    if (listener_) listener_->sessionEnded(SessionEnd::Lost);
    retryAfterFailure();
}

void Connection::tmrLoginTimeout_Timer() {
    AddChat(output_, {{ColorError, "Bot: No answer to the logon from " + address() + " within " +
                                       std::to_string(config().LoginTimeout) + " ms."}});
    endSession(SessionEnd::Replaced);
    retryAfterFailure();
}

void Connection::tmrLogin_Timer() {
    SendChatNow("\r\n");
}

}  // namespace morva
