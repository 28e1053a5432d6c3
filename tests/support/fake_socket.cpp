#include "support/fake_socket.h"

namespace morva::testing {

void FakeSocket::connectTo(const std::string& host, int port) {
    dials.push_back(host + ":" + std::to_string(port));
    state_ = Connecting;
}

void FakeSocket::close() {
    ++closes;
    state_ = Closed;
}

void FakeSocket::send(const std::string& bytes) {
    sent.push_back(bytes);
    if (onSend) onSend(bytes);
}

void FakeSocket::acceptConnect() {
    state_ = Connected;
    if (events().onConnect) events().onConnect();
}

void FakeSocket::receive(const std::string& bytes) {
    if (events().onData) events().onData(bytes);
}

void FakeSocket::peerClose() {
    state_ = Closed;
    if (events().onClose) events().onClose();
}

void FakeSocket::fail(int code, const std::string& description) {
    state_ = Error;
    if (events().onError) events().onError(code, description);
}

std::string FakeSocket::allSent() const {
    std::string all;
    for (const auto& bytes : sent) all += bytes;
    return all;
}

std::unique_ptr<Socket> FakeSocketFactory::makeSocket() {
    auto socket = std::make_unique<FakeSocket>();
    made.push_back(socket.get());
    return socket;
}

}  // namespace morva::testing
