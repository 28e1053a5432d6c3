#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace morva::testing {

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        ::dup2(fromChild[1], STDERR_FILENO);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    in_ = toChild[1];
    out_ = fromChild[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    closeInput();
    if (out_ >= 0) ::close(out_);
}

bool ChildProcess::readSome(int timeoutMs) {
    pollfd fd{out_, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0) return false;
    char buffer[4096];
    const ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n <= 0) return false;
    output_.append(buffer, static_cast<std::size_t>(n));
    return true;
}

bool ChildProcess::waitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (output_.find(text) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !readSome(static_cast<int>(left.count())))
            return output_.find(text) != std::string::npos;
    }
    return true;
}

void ChildProcess::writeInput(const std::string& bytes) {
    if (in_ >= 0) [[maybe_unused]]
        const ssize_t n = ::write(in_, bytes.data(), bytes.size());
}

void ChildProcess::closeInput() {
    if (in_ >= 0) ::close(in_);
    in_ = -1;
}

int ChildProcess::signalAndWait(int signal, std::chrono::milliseconds timeout) {
    ::kill(pid_, signal);
    return waitForExit(timeout);
}

int ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        readSome(20);
    }
    pid_ = -1;
    while (readSome(0)) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace morva::testing
