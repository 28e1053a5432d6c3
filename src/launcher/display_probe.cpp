#include "launcher/display_probe.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace morva {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Connects a fresh socket of that family to the address, waiting a second at most. Returns the
// system's reason when it fails.
std::string tryConnect(int family, const sockaddr* address, socklen_t length) {
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::strerror(errno);
    int error = ::connect(fd, address, length) == 0 ? 0 : errno;
    if (error == EINPROGRESS) {
        pollfd wait{fd, POLLOUT, 0};
        socklen_t size = sizeof error;
        error = ::poll(&wait, 1, 1000) == 1 ? 0 : ETIMEDOUT;
        if (error == 0) ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
    }
    ::close(fd);
    return error == 0 ? std::string() : std::strerror(error);
}

// A Unix socket; a name starting with "@" is in the abstract namespace.
std::string connectUnix(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return "the socket's path is too long";
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path.front() == '@') address.sun_path[0] = '\0';
    return tryConnect(AF_UNIX, reinterpret_cast<const sockaddr*>(&address),
                      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size()));
}

std::string connectTcp(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int error = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found))
        return ::gai_strerror(error);
    std::string why = "no address";
    for (const addrinfo* a = found; a && !why.empty(); a = a->ai_next)
        why = tryConnect(a->ai_family, a->ai_addr, a->ai_addrlen);
    ::freeaddrinfo(found);
    return why;
}

// "[host]:number[.screen]": a local X server listens on a Unix socket, a remote one on TCP 6000 + number.
std::string xDisplayProblem(const std::string& display) {
    const std::size_t colon = display.rfind(':');
    if (colon == std::string::npos) return "it names no display number";
    const std::string host = display.substr(0, colon);
    const int number = std::atoi(display.c_str() + colon + 1);
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
        if (connectUnix("@" + path).empty()) return {};
        return connectUnix(path);
    }
    return connectTcp(host, 6000 + number);
}

std::string waylandProblem(const std::string& name) {
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    if (name.front() != '/' && runtime.empty()) return "XDG_RUNTIME_DIR is not set";
    return connectUnix(name.front() == '/' ? name : runtime + "/" + name);
}

}  // namespace

bool DisplayAnswers(std::string& why) {
    if (!environment("QT_QPA_PLATFORM").empty()) return true;
    const std::string wayland = environment("WAYLAND_DISPLAY"), x = environment("DISPLAY");
    std::string problems;
    if (!wayland.empty()) {
        const std::string problem = waylandProblem(wayland);
        if (problem.empty()) return true;
        problems = "WAYLAND_DISPLAY=" + wayland + ": no display server answers (" + problem + ")";
    }
    if (!x.empty()) {
        const std::string problem = xDisplayProblem(x);
        if (problem.empty()) return true;
        problems += (problems.empty() ? "" : "; ") + std::string("DISPLAY=") + x + ": no X server answers (" +
                    problem + ")";
    }
    why = problems.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : problems;
    return false;
}

}  // namespace morva
