#include "devtools/child_process.h"
#include "core/platform/path_text.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace ft::test {
namespace {

// This process's environment with the given NAME=VALUE entries put in.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> merged;
    const auto nameOf = [](std::string_view entry) { return entry.substr(0, entry.find('=')); };
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view current(*entry);
        bool replaced = false;
        for (const std::string& given : extra)
            replaced = replaced || nameOf(given) == nameOf(current);
        if (!replaced)
            merged.emplace_back(current);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void closeIfOpen(int& descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

} // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment)
{
    std::array<int, 2> input{};
    std::array<int, 2> output{};
    if (::pipe2(input.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    if (::pipe2(output.data(), O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

    std::vector<std::string> argv{platform::pathText(program)};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = mergedEnvironment(environment);
    const int result = posix_spawn(&m_pid, program.c_str(), &actions, nullptr,
                                   pointersTo(argv).data(), pointersTo(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    m_input = input[1];
    m_output = output[0];
    if (result != 0) {
        m_pid = -1;
        closeIfOpen(m_input);
        closeIfOpen(m_output);
        throw std::runtime_error("cannot start " + platform::pathText(program) + ": " +
                                 std::strerror(result));
    }
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0)
        kill();
    closeIfOpen(m_input);
    closeIfOpen(m_output);
}

void ChildProcess::sendLine(std::string_view line)
{
    std::string text(line);
    text += '\n';
    std::string_view rest(text);
    while (!rest.empty()) {
        const ssize_t written = ::write(m_input, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw std::runtime_error("the child no longer reads its input");
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string ChildProcess::readLine(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        const std::size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{m_output, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled == 0)
            throw std::runtime_error("no line from the child in time; so far: " + m_pending);
        std::array<char, 4096> buffer{};
        const ssize_t count = ::read(m_output, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            throw std::runtime_error("the child's output ended; last: " + m_pending);
        m_pending.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

void ChildProcess::kill()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    closeIfOpen(m_input);
    reap();
}

int ChildProcess::wait()
{
    closeIfOpen(m_input);
    if (m_pid <= 0)
        return -1;
    // What it still writes is read and dropped, so that it never blocks on
    // a full pipe while it is waited for.
    std::array<char, 4096> buffer{};
    while (m_output >= 0) {
        const ssize_t count = ::read(m_output, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
    }
    return reap();
}

int ChildProcess::reap()
{
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace ft::test
