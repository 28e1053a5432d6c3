#include "support/flood_server.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "settings/ini_text.h"
#include "support/config_text.h"

namespace morva::bench {

namespace {
// The number after `key` in `text`, or -1.
std::int64_t NumberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    return at == std::string::npos ? -1 : std::stoll(text.substr(at + key.size()));
}
}  // namespace

FloodServer::FloodServer(std::int64_t events, int delayMs) {
    // Ports below the kernel's ephemeral range, spread by process so that parallel runs rarely meet.
    for (int attempt = 0; attempt < 50 && !process_; ++attempt) {
        port_ = 20000 + static_cast<int>((::getpid() * 53 + attempt * 101) % 12000);
        auto process = std::make_unique<testing::ChildProcess>(
            std::vector<std::string>{MORVA_TESTSERVER_PATH, "--port", std::to_string(port_), "--flood",
                                     std::to_string(events), "--flood-delay", std::to_string(delayMs)});
        if (process->waitForOutput("listening on")) process_ = std::move(process);
    }
    if (!process_) throw std::runtime_error("morva-testserver could not find a free port");
}

std::int64_t FloodServer::startNs(std::chrono::milliseconds timeout) {
    const std::string key = "(monotonic ";
    if (!process_->waitForOutput(" ns)", timeout)) throw std::runtime_error("the flood did not start");
    return NumberAfter(process_->output(), key);
}

bool FloodServer::waitWritten(std::chrono::milliseconds timeout) {
    return process_->waitForOutput("flood written", timeout);
}

void WriteFloodProfile(const std::filesystem::path& dir, int port) {
    std::string config = testing::ValidConfig();
    const std::pair<const char*, std::string> keys[] = {
        {"Port", std::to_string(port)}, {"Binary", "True"},       {"Socks", "1"}, {"Delay", "50"},
        {"ConnectStartup", "True"},     {"Channel", "Flood Test"}};
    for (const auto& [key, value] : keys) config = IniWrite(config, "Profile", key, value);
    config = IniWrite(config, "Channels Log", "Channels", "0");
    config = IniWrite(config, "Idle", "Delay", "0");
    std::ofstream(dir / "config.bot", std::ios::binary) << config;
}

}  // namespace morva::bench
