#include "fault_server.h"

#include <sys/socket.h>

#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#include "support/packets.h"
#include "testserver/chat_event.h"
#include "wire_fixture.h"

namespace morva::testing {

FaultStep Send(std::string bytes) {
    return {FaultStep::Send, std::move(bytes), {}};
}

FaultStep Drip(std::string bytes) {
    return {FaultStep::Drip, std::move(bytes), {}};
}

FaultStep Flood(std::function<std::string()> next) {
    return {FaultStep::Flood, {}, std::move(next)};
}

FaultStep Close() {
    return {FaultStep::Close, {}, {}};
}

FaultStep Reset() {
    return {FaultStep::Reset, {}, {}};
}

FaultStep StopReading() {
    return {FaultStep::StopReading, {}, {}};
}

FaultStep StartReading() {
    return {FaultStep::StartReading, {}, {}};
}

namespace {
using testserver::ChatEvent;

// The bot alone in the channel "Mod Test", as its operator, in either protocol.
std::string JoinedChannel(std::string (*encode)(const ChatEvent&)) {
    constexpr std::uint32_t OperatorFlags = 0x02;
    return encode({ChatEvent::Channel, 0, "", "Mod Test"}) +
           encode({ChatEvent::ShowUser, OperatorFlags, "bot1", "RATS"});
}
}  // namespace

std::string LogonAnswer() {
    return AuthInfoReply(0x1234) + LogonReply(0) + JoinedChannel(testserver::BinaryChatEvent);
}

std::string TextLogonAnswer() {
    return "2010 NAME bot1\r\n" + JoinedChannel(testserver::TextChatEvent);
}

// One accepted connection and where its script has got to. Steps that take time (a drip, a flood)
// return to the event loop and carry on from a timer or from the socket's progress.
class FaultServer::Connection {
public:
    Connection(std::unique_ptr<QTcpSocket> socket, FaultScript script)
        : socket_(std::move(socket)), script_(std::move(script)) {
        // A small buffer, so that a connection that stops reading stops taking bytes from the system.
        socket_->setReadBufferSize(4096);
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QObject::connect(socket_.get(), &QTcpSocket::readyRead, [this] { read(); });
        QObject::connect(socket_.get(), &QTcpSocket::bytesWritten, [this] {
            if (flooding()) run();
        });
        run();
    }
    const std::string& received() const { return received_; }

private:
    bool flooding() const { return step_ < script_.size() && script_[step_].kind == FaultStep::Flood; }

    void run() {
        while (step_ < script_.size() && runStep(script_[step_])) ++step_;
    }

    // Does the step, or as much of it as can be done now; true when it is done.
    bool runStep(const FaultStep& step) {
        switch (step.kind) {
            case FaultStep::Send:
                socket_->write(step.bytes.data(), static_cast<qint64>(step.bytes.size()));
                return true;
            case FaultStep::Drip:
                return drip(step.bytes);
            case FaultStep::Flood:
                return flood(step.next);
            case FaultStep::Close:
                socket_->disconnectFromHost();
                return true;
            case FaultStep::Reset:
                reset();
                return true;
            case FaultStep::StopReading:
                reading_ = false;
                return true;
            case FaultStep::StartReading:
                reading_ = true;
                read();
                return true;
        }
        return true;
    }

    bool drip(const std::string& bytes) {
        if (dripped_ < bytes.size()) {
            socket_->write(bytes.data() + dripped_++, 1);
            socket_->flush();
        }
        if (dripped_ == bytes.size()) {
            dripped_ = 0;
            return true;
        }
        QTimer::singleShot(DripGapMs, socket_.get(), [this] { run(); });
        return false;
    }

    // A flood ends with its last piece, or with the connection.
    bool flood(const std::function<std::string()>& next) {
        while (socket_->bytesToWrite() < static_cast<qint64>(FloodHighWater)) {
            if (socket_->state() != QAbstractSocket::ConnectedState) return true;
            const std::string piece = next();
            if (piece.empty()) return true;
            socket_->write(piece.data(), static_cast<qint64>(piece.size()));
        }
        return false;
    }

    void reset() {
        const linger hard{1, 0};
        ::setsockopt(static_cast<int>(socket_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                     sizeof hard);
        socket_->abort();
    }

    void read() {
        if (reading_) received_ += socket_->readAll().toStdString();
    }

    std::unique_ptr<QTcpSocket> socket_;
    FaultScript script_;
    std::size_t step_ = 0;
    std::size_t dripped_ = 0;
    bool reading_ = true;
    std::string received_;
};

FaultServer::FaultServer(std::vector<FaultScript> scripts) : scripts_(std::move(scripts)) {
    EnsureQtApp();
    QObject::connect(&listener_, &QTcpServer::newConnection, [this] { accept(); });
    if (!listener_.listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("the fault server found no loopback port");
}

FaultServer::~FaultServer() = default;

const std::string& FaultServer::received(int n) const {
    return connections_.at(static_cast<std::size_t>(n))->received();
}

void FaultServer::accept() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        socket->setParent(nullptr);
        const std::size_t n = std::min(connections_.size(), scripts_.size() - 1);
        connections_.push_back(
            std::make_unique<Connection>(std::unique_ptr<QTcpSocket>(socket), scripts_[n]));
    }
}

int ClosedPort() {
    EnsureQtApp();
    QTcpServer listener;
    if (!listener.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("no free loopback port");
    return listener.serverPort();
}

}  // namespace morva::testing
