#include "qt/qt_socket.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <QTcpServer>
#include <algorithm>

#include "wire_fixture.h"

namespace morva::testing {
namespace {

int option(int fd, int level, int name) {
    int value = -1;
    socklen_t length = sizeof value;
    ::getsockopt(fd, level, name, &value, &length);
    return value;
}

class QtSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
        socket.setEvents(Socket::Events{[this] { ++connects; },
                                        [this](const std::string& b) {
                                            data += b;
                                            largestPiece = std::max(largestPiece, b.size());
                                        },
                                        [this] {
                                            ++closes;
                                            bytesAtClose = data.size();
                                        },
                                        [this](int, const std::string&) { ++errors; }});
    }
    void connect() {
        const int before = connects;
        socket.connectTo("127.0.0.1", listener.serverPort());
        ASSERT_TRUE(RunUntil([&] { return connects == before + 1 && listener.hasPendingConnections(); }));
        peer = listener.nextPendingConnection();
    }

    QTcpServer listener;
    QtSocket socket;
    QTcpSocket* peer = nullptr;
    int connects = 0, closes = 0, errors = 0;
    std::string data;
    std::size_t largestPiece = 0;
    std::size_t bytesAtClose = 0;
};

TEST_F(QtSocketTest, ConnectedSocketProbesADeadConnection) {
    connect();
    EXPECT_EQ(socket.state(), Socket::Connected);
    const int fd = static_cast<int>(socket.descriptor());
    EXPECT_EQ(option(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPIDLE), 60);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPCNT), 3);
}

TEST_F(QtSocketTest, BytesTravelUnchangedBothWays) {
    connect();
    const std::string bytes("\x00\xFF\x0F\r\n", 5);
    socket.send(bytes);
    ASSERT_TRUE(RunUntil([&] { return peer->bytesAvailable() == 5; }));
    EXPECT_EQ(peer->readAll().toStdString(), bytes);
    peer->write(bytes.data(), 5);
    EXPECT_TRUE(RunUntil([&] { return data == bytes; }));
}

// A flood reaches the program in bounded pieces, whole and in order, and the peer's close after it
// comes only after its last byte.
TEST_F(QtSocketTest, AFloodArrivesWholeInBoundedPiecesBeforeTheClose) {
    connect();
    std::string flood(16 * QtSocket::ReadBufferBytes + 123, '\0');
    for (std::size_t i = 0; i < flood.size(); ++i) flood[i] = static_cast<char>(i * 7 + i / 251);
    peer->write(flood.data(), static_cast<qint64>(flood.size()));
    peer->disconnectFromHost();
    ASSERT_TRUE(RunUntil([&] { return closes == 1; })) << data.size();
    EXPECT_EQ(bytesAtClose, flood.size());
    EXPECT_TRUE(data == flood);
    EXPECT_LE(largestPiece, static_cast<std::size_t>(QtSocket::ReadBufferBytes));
}

TEST_F(QtSocketTest, APeerCloseRaisesOneCloseEventAndOurOwnCloseNone) {
    connect();
    peer->close();
    ASSERT_TRUE(RunUntil([&] { return closes == 1; }));
    RunFor(100);
    EXPECT_EQ(closes + errors, 1);
    connect();
    socket.close();
    RunFor(100);
    EXPECT_EQ(closes + errors, 1);
    EXPECT_EQ(socket.state(), Socket::Closed);
}

TEST_F(QtSocketTest, ARefusedConnectionRaisesTheErrorEvent) {
    const quint16 port = listener.serverPort();
    listener.close();
    socket.connectTo("127.0.0.1", port);
    ASSERT_TRUE(RunUntil([&] { return errors == 1; }));
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(socket.state(), Socket::Error);
}

}  // namespace
}  // namespace morva::testing
