#pragma once

#include <functional>
#include <memory>
#include <string>

namespace morva {

// A TCP client socket. Bytes travel as std::string, one char per byte.
class Socket {
public:
    // The state values the program tests; 7 is the only one that means "connected".
    enum State : int { Closed = 0, Connecting = 6, Connected = 7, Error = 9 };

    struct Events {
        std::function<void()> onConnect;
        std::function<void(const std::string& bytes)> onData;
        std::function<void()> onClose;  // closed by the peer, never by close()
        std::function<void(int code, const std::string& description)> onError;
    };

    virtual ~Socket() = default;
    virtual void connectTo(const std::string& host, int port) = 0;
    // Closing by the program itself raises no close event.
    virtual void close() = 0;
    virtual void send(const std::string& bytes) = 0;
    virtual int state() const = 0;
    // Flow control. While not reading, received bytes wait in the system, not in the program's memory,
    // and TCP itself slows the peer down; reading again delivers what waited. A socket reads from the
    // start.
    virtual void setReading(bool reading) = 0;

    void setEvents(Events events) { events_ = std::move(events); }

protected:
    const Events& events() const { return events_; }

private:
    Events events_;
};

class SocketFactory {
public:
    virtual ~SocketFactory() = default;
    virtual std::unique_ptr<Socket> makeSocket() = 0;
};

}  // namespace morva
