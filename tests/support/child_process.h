#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace morva::testing {

// A program run by a test, with its standard input and output on pipes.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads standard output until it holds text, or the time runs out; returns whether it does.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    const std::string& output() const { return output_; }
    pid_t pid() const { return pid_; }
    void writeInput(const std::string& bytes);
    void closeInput();
    // Sends a signal and waits for the end; returns the exit status, or -1 when it did not exit normally.
    int signalAndWait(int signal, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits for the end the program makes itself; the exit status as signalAndWait gives it.
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    bool readSome(int timeoutMs);

    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string output_;
};

}  // namespace morva::testing
