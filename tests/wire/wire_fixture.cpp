#include "wire_fixture.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <fstream>
#include <iterator>

#include "settings/ini_text.h"
#include "support/config_text.h"

namespace morva::testing {

namespace {
QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_wire";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}
}  // namespace

void EnsureQtApp() {
    app();
}

bool RunUntil(const std::function<bool()>& condition, int timeoutMs) {
    app();
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ::usleep(2000);
    }
    return true;
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

TestServerProcess::TestServerProcess(std::vector<std::string> extraArgs) : args_(std::move(extraArgs)) {
    // Ports below the kernel's ephemeral range, spread by process so parallel tests rarely meet.
    for (int attempt = 0; attempt < 200 && !process_; ++attempt) {
        port_ = 20000 + static_cast<int>((::getpid() * 37 + attempt * 101) % 12000);
        start();
    }
    if (!process_) throw std::runtime_error("morva-testserver could not find a free port");
}

void TestServerProcess::start() {
    std::vector<std::string> argv = {MORVA_TESTSERVER_PATH, "--port", std::to_string(port_)};
    argv.insert(argv.end(), args_.begin(), args_.end());
    auto process = std::make_unique<ChildProcess>(argv);
    if (process->waitForOutput("listening on")) process_ = std::move(process);
}

void TestServerProcess::kill() {
    if (process_) process_->signalAndWait(SIGKILL);
    process_.reset();
}

void TestServerProcess::restart() {
    for (int attempt = 0; attempt < 50 && !process_; ++attempt) {
        start();
        if (!process_) RunFor(100);
    }
}

WireBot::WireBot(const TempProfile& profile)
    : bot(Ports{timers, sockets, clock, chat, whispers, members, shell}, profile.dir()) {
    app();
}

std::vector<std::string> WireBot::chatLines() const {
    std::vector<std::string> lines;
    for (const auto& line : chat.lines()) lines.push_back(WithoutStamp(line));
    return lines;
}

std::vector<std::string> WireBot::whisperLines() const {
    std::vector<std::string> lines;
    for (const auto& line : whispers.lines()) lines.push_back(WithoutStamp(line));
    return lines;
}

bool WireBot::chatHas(const std::string& line) const {
    const auto lines = chatLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool WireBot::waitForChat(const std::string& line, int timeoutMs) const {
    return RunUntil([&] { return chatHas(line); }, timeoutMs);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WireConfig(int port, bool binary, const std::string& user, const std::string& password) {
    std::string config = ValidConfig();
    const std::pair<const char*, std::string> keys[] = {{"Port", std::to_string(port)},
                                                        {"Binary", binary ? "True" : "False"},
                                                        {"Username", user},
                                                        {"Password", password},
                                                        {"Delay", "50"},
                                                        {"Stagger", "100"},
                                                        {"Socks", "2"},
                                                        {"LoginTimeout", "3000"},
                                                        {"ConnectStartup", "True"},
                                                        {"Channel", "Mod Test"}};
    for (const auto& [key, value] : keys) config = IniWrite(config, "Profile", key, value);
    config = IniWrite(config, "Channels Log", "Channels", "0");
    return IniWrite(config, "Idle", "Delay", "0");
}

TextPeer::TextPeer(int port, const std::string& name, const std::string& channel) {
    app();
    QObject::connect(&socket_, &QTcpSocket::readyRead,
                     [this] { received_ += socket_.readAll().toStdString(); });
    socket_.connectToHost("127.0.0.1", static_cast<quint16>(port));
    RunUntil([this] { return socket_.state() == QAbstractSocket::ConnectedState; });
    say("\x03\x04" + name + "\r\nx\r\n/join " + channel);
    if (!waitFor("1007 CHANNEL")) throw std::runtime_error(name + " could not log on and join " + channel);
}

void TextPeer::say(const std::string& line) {
    const std::string bytes = line + "\r\n";
    socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket_.flush();
}

std::vector<std::string> TextPeer::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = received_.find("\r\n", start)) != std::string::npos; start = end + 2)
        result.push_back(received_.substr(start, end - start));
    return result;
}

bool TextPeer::waitFor(const std::string& text, int timeoutMs) const {
    return RunUntil([&] { return received_.find(text) != std::string::npos; }, timeoutMs);
}

}  // namespace morva::testing
