#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ft::test {

// A program run as a separate process whose standard input and output are
// pipes to this one, so that tests can make several programs meet on one
// data folder and step them in a known order: a line written to the child,
// a line read back. Its standard error stays this process's. The child is
// killed with SIGKILL and reaped when the object goes, if still running.
class ChildProcess {
public:
    // `environment` holds NAME=VALUE entries set on top of this process's
    // environment. Throws std::runtime_error when the program cannot start.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void sendLine(std::string_view line);
    // The next line it writes, without the line end. Throws
    // std::runtime_error when its output ends first or `limit` passes.
    std::string readLine(std::chrono::milliseconds limit = std::chrono::seconds(60));
    // Kills it with SIGKILL, as a crash or a power cut ends a program, and
    // waits for it to go.
    void kill();
    // Closes its input and waits for it to end, dropping what it still
    // writes: its exit status, or 128 plus the signal that ended it.
    int wait();

private:
    int reap();

    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    std::string m_pending; // read but not yet returned
};

} // namespace ft::test
