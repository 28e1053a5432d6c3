#pragma once

namespace morva {

struct ChatEvent;

// Why a connection that was up came to an end.
enum class SessionEnd {
    Lost,          // the server closed it, it failed, or its stream broke
    Disconnected,  // the operator disconnected
    Replaced,      // the program closed it for a new race (Reconnect, a logon time-out)
    Refused,       // the server refused the logon: no new race until the operator asks
};

// What the layers above the connection learn from it.
class ConnectionListener {
public:
    virtual ~ConnectionListener() = default;
    // Text mode: the logon lines went out on a new connection.
    virtual void textLogonSent() = 0;
    // Binary mode: the server accepted the logon.
    virtual void binaryLoggedOn() = 0;
    // A chat event of either protocol, in arrival order.
    virtual void chatEvent(const ChatEvent& event) = 0;
    // A connection that had connected is gone, or a race ended with every socket failed (Lost), or the
    // operator disconnected; the connection's own timers are stopped already.
    virtual void sessionEnded(SessionEnd why) = 0;
};

}  // namespace morva
