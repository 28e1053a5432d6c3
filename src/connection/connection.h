#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "connection/send_queue.h"
#include "platform/socket.h"
#include "platform/timer.h"
#include "sessions/binary_session.h"
#include "sessions/text_session.h"

namespace morva {

class Clock;
class ConnectionListener;
class Output;
class Settings;
enum class SessionEnd;

// The connection to the chat server: one state machine that owns the sockets, every connection timer
// (the race timers tmrKol, the back-off, the logon time-out, the text logon's ticks), the send queue
// and the protocol session of the connected socket.
//
//   Idle --Bot_Connect--> Racing --a socket connects--> Connected --logon--> LoggedOn
//   Racing, when every socket of it failed, and any end of a connection that was up
//       --> WaitingToRetry (a back-off that doubles from 1 s to 60 s) --> Racing
//   a lost logon of at least 30 s --> Racing at once;  Bot_Disconnect --> Idle from anywhere
//
// Each transition stops what does not belong to the new state.
class Connection {
public:
    enum class State { Idle, WaitingToRetry, Racing, Connected, LoggedOn };

    static constexpr int MaxSockets = 16;
    static constexpr int FirstBackoffMs = 1000;
    static constexpr int MaxBackoffMs = 60000;
    // A logon that lasted this long counts as a working connection: its loss reconnects at once.
    static constexpr long long StableLogonMs = 30000;
    static constexpr int LoginTickMs = 50;
    // Received data is handled in slices of at most this many events or this much time, each followed
    // by a turn of the event loop, so that the window draws and takes input during a flood.
    static constexpr int SliceEvents = 256;
    static constexpr long long SliceMs = 4;
    // Received bytes waiting to be handled: past this, the socket stops reading until the backlog is
    // down to a quarter, so a flood faster than the bot costs no more memory than this.
    static constexpr std::size_t MaxUnreadBytes = 1 << 20;

    Connection(TimerFactory& timers, SocketFactory& sockets, const Clock& clock, const Settings& settings,
               Output& output);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setListener(ConnectionListener& listener) { listener_ = &listener; }

    // Makes the sockets 1 .. Socks - 1 (socket 0 always exists; at most MaxSockets in all) and says
    // how many are used.
    void Bot_LoadSockets();
    // Starts a race at once (the Reconnect menu and start-up): a connection that is up is closed first.
    void Bot_Connect();
    // Closes everything and stays idle.
    void Bot_Disconnect();

    // Sends one chat line through the flood queue; in binary mode CR LF pairs are removed and it goes
    // out as SID_CHATCOMMAND. onSent runs when the line leaves the queue. Returns false, sending
    // nothing, while no connection is up or when the line is too long for one packet.
    bool SendChat(const std::string& text, std::function<void()> onSent = {});
    // The same at once, past the queue: the text logon's lines and the queue itself.
    void SendChatNow(const std::string& text);
    void SendJoinChannel(const std::string& channel);
    bool IsConnected() const;

    State state() const { return state_; }
    int ActiveSocket() const { return ActiveSocket_; }
    int socketCount() const { return static_cast<int>(sckKol.size()); }
    int backoffMs() const { return backoffMs_; }
    // The timers, for those who test their rules.
    const Timer& raceTimer(int i) const { return *tmrKol.at(static_cast<std::size_t>(i)); }
    const Timer& loginTimeoutTimer() const { return *tmrLoginTimeout; }
    const Timer& loginTickTimer() const { return *tmrLogin; }
    const Timer& backoffTimer() const { return *tmrBackoff; }

private:
    void addSocket();
    const BotConfig& config() const;
    bool sessionUp() const { return state_ == State::Connected || state_ == State::LoggedOn; }

    // Transitions.
    void startRace();
    void armRaceTimers();
    void retryAfterFailure();
    void endSession(SessionEnd why);
    void stopAll();
    void dropQueue();
    void loggedOn();

    // Socket and timer events.
    void tmrKol_Timer(int index);
    void sckKol_Connect(int index);
    void sckKol_DataArrival(int index, const std::string& bytes);
    // A close by the peer has no reason: the server closed the connection.
    void sckKol_Failed(int index, const std::string& reason = {});
    void tmrLoginTimeout_Timer();
    void tmrLogin_Timer();
    void tmrBackoff_Timer();
    // why: what ended it, for the line that says so; empty when a line was given already.
    void connectionLost(const std::string& why);
    void peerEnded(const std::string& why);
    bool hasAddress();
    void logonRefused(const std::string& key);
    std::string address() const;

    // The protocols on the connected socket.
    void connectBinary();
    void connectText();
    void readSlice();
    bool handleNextEvent();
    void forgetUnread();
    void takeUnread();
    void controlFlow();
    void binaryEvent(const BinaryEvent& event);
    void textEvent(const TextEvent& event);
    void SendAuthInfo();
    void SendLogonResponse2();
    void sendPacket(const std::string& packet);

    TimerFactory& timers_;
    SocketFactory& sockets_;
    const Clock& clock_;
    const Settings& settings_;
    Output& output_;
    ConnectionListener* listener_ = nullptr;

    State state_ = State::Idle;
    std::vector<std::unique_ptr<Socket>> sckKol;
    std::vector<std::unique_ptr<Timer>> tmrKol;
    // Sockets of the current race that failed; they wait for the next race.
    std::vector<bool> failed_;
    std::int16_t ActiveSocket_ = 0;
    std::unique_ptr<Timer> tmrLoginTimeout;
    std::unique_ptr<Timer> tmrLogin;
    std::unique_ptr<Timer> tmrBackoff;
    int backoffMs_ = 0;
    long long loggedOnAtMs_ = 0;
    // Counts connections, so that a read stops when its connection ends while it is being handled.
    std::uint64_t session_ = 0;
    // Reads not yet given to the session: they wait for the events of earlier ones to be handled.
    std::deque<std::string> unread_;
    std::size_t unreadBytes_ = 0;
    bool reading_ = false;
    std::unique_ptr<Deferred> nextSlice_;
    // The server ended the connection, but what it sent before is still being handled.
    bool peerEnded_ = false;
    std::string endedBecause_;
    long long connectedAtMs_ = 0;
    // Sockets whose dial has been reported unanswered in this race: once is enough.
    std::vector<bool> toldNoAnswer_;
    BinarySession binary_;
    TextSession text_;
    SendQueue queue_;
};

}  // namespace morva
