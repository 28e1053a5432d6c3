#include "qt/qt_socket.h"

namespace morva {

QtSocket::QtSocket() {
    QObject::connect(&socket_, &QTcpSocket::connected, [this] {
        if (events().onConnect) events().onConnect();
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        const QByteArray bytes = socket_.readAll();
        if (!bytes.isEmpty() && events().onData) events().onData(bytes.toStdString());
    });
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { onDisconnected(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError error) { onError(error); });
}

// Going away is the program's own close: nothing may reach the handlers of a bot being destroyed.
QtSocket::~QtSocket() { socket_.disconnect(); }

void QtSocket::connectTo(const std::string& host, int port) {
    close();
    ended_ = false;
    failed_ = false;
    socket_.connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void QtSocket::close() {
    closingOurselves_ = true;
    socket_.abort();
    closingOurselves_ = false;
    failed_ = false;
}

void QtSocket::send(const std::string& bytes) { socket_.write(bytes.data(), static_cast<qint64>(bytes.size())); }

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
