#include "flood.h"

#include <chrono>
#include <cstdio>

#include "client.h"
#include "flood_events.h"
#include "server.h"

namespace testserver {

namespace {
// Enough unsent bytes that the socket never runs dry, few enough that the flood is not all in the
// socket's buffer at once.
constexpr qint64 HighWater = 1 << 20;
constexpr std::size_t Chunk = 256 * 1024;
}  // namespace

Flood::Flood(Server& server, Client& client, std::int64_t events, int delayMs)
    : server_(server), client_(client), events_(events) {
    delay_.setSingleShot(true);
    QObject::connect(&delay_, &QTimer::timeout, [this] { start(); });
    delay_.start(delayMs);
}

Flood::~Flood() {
    QObject::disconnect(written_);
}

void Flood::start() {
    for (int i = 0; i < FloodEvents::Members; ++i)
        server_.join(server_.addVirtualMember(FloodEvents::memberName(i), "RATS"), client_.channel);
    // Made before the clock starts, so the flood goes at the socket's pace, not the server's.
    bytes_ = FloodEvents::bytes(events_, client_.isBinary());
    written_ = QObject::connect(client_.connection(), &QTcpSocket::bytesWritten, [this] { pump(); });
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("morva-testserver: flood of %lld talk events starts (monotonic %lld ns)\n",
                static_cast<long long>(events_),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()));
    std::fflush(stdout);
    pump();
}

void Flood::pump() {
    QTcpSocket& socket = *client_.connection();
    while (sent_ < bytes_.size() && socket.bytesToWrite() < HighWater) {
        const std::size_t n = std::min(Chunk, bytes_.size() - sent_);
        socket.write(bytes_.data() + sent_, static_cast<qint64>(n));
        sent_ += n;
    }
    if (sent_ == bytes_.size() && socket.bytesToWrite() == 0 && !reportedEnd_) {
        reportedEnd_ = true;
        std::printf("morva-testserver: flood written\n");
        std::fflush(stdout);
    }
}

}  // namespace testserver
