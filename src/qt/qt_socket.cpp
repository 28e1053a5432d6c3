#include "qt/qt_socket.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace morva {

QtSocket::QtSocket() {
    socket_.setReadBufferSize(ReadBufferBytes);
    QObject::connect(&socket_, &QTcpSocket::connected, [this] {
        enableKeepAlive();
        if (events().onConnect) events().onConnect();
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { deliver(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { onDisconnected(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred,
                     [this](QAbstractSocket::SocketError error) { onError(error); });
}

// Going away is the program's own close: nothing may reach the handlers of a bot being destroyed.
QtSocket::~QtSocket() {
    socket_.disconnect();
}

void QtSocket::connectTo(const std::string& host, int port) {
    close();
    ended_ = false;
    failed_ = false;
    socket_.connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void QtSocket::deliver() {
    if (!reading_) return;
    const QByteArray bytes = socket_.readAll();
    if (!bytes.isEmpty() && events().onData) events().onData(bytes.toStdString());
}

// What waited is delivered on the event loop's next turn, never from inside the call that asked.
void QtSocket::setReading(bool reading) {
    if (reading == reading_) return;
    reading_ = reading;
    if (reading_)
        QMetaObject::invokeMethod(
            &socket_, [this] { deliver(); }, Qt::QueuedConnection);
}

void QtSocket::close() {
    closingOurselves_ = true;
    socket_.abort();
    closingOurselves_ = false;
    failed_ = false;
    reading_ = true;
}

// Servers send nothing the bot could use to notice a connection that died silently, so let TCP
// probe it: after a minute of silence, three probes ten seconds apart, then the error event.
void QtSocket::enableKeepAlive() {
    socket_.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const int fd = static_cast<int>(socket_.socketDescriptor());
    const int idle = KeepAliveIdleSeconds, interval = KeepAliveIntervalSeconds, probes = KeepAliveProbes;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

void QtSocket::send(const std::string& bytes) {
    socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int QtSocket::state() const {
    switch (socket_.state()) {
        case QAbstractSocket::ConnectedState:
            return Connected;
        case QAbstractSocket::HostLookupState:
        case QAbstractSocket::ConnectingState:
            return Connecting;
        default:
            return failed_ ? Error : Closed;
    }
}

void QtSocket::onDisconnected() {
    if (closingOurselves_ || ended_) return;
    ended_ = true;
    if (events().onClose) events().onClose();
}

void QtSocket::onError(QAbstractSocket::SocketError error) {
    // A close by the peer is reported by the disconnected signal that follows.
    if (closingOurselves_ || ended_ || error == QAbstractSocket::RemoteHostClosedError) return;
    ended_ = true;
    failed_ = true;
    if (events().onError) events().onError(static_cast<int>(error), socket_.errorString().toStdString());
}

}  // namespace morva
