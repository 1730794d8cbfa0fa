#include "core/platform/viewer_process.h"
#include "core/platform/viewer_process_system.h"

#include "core/platform/owned_file.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>

namespace ft::platform {

const char* const kViewerProgram = "Tavla";
const char kPathListSeparator = ':';

std::string pathVariable()
{
    const char* path = std::getenv("PATH");
    return path == nullptr ? std::string() : std::string(path);
}

std::optional<std::filesystem::path> executableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    return executable.parent_path();
}

bool isRunnableFile(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

ViewerWatch openViewerWatch(std::optional<EnvironmentEntry>& entry)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return {};
    ViewerWatch watch(ends[0], ends[1]);
    // The viewer inherits the writing end; the reading end stays ours.
    const int flags = ::fcntl(ends[1], F_GETFD);
    if (flags < 0 || ::fcntl(ends[1], F_SETFD, flags & ~FD_CLOEXEC) != 0)
        return {};
    entry = EnvironmentEntry{kWindowShownVariable, std::to_string(ends[1])};
    return watch;
}

void watchStartedViewer(ViewerWatch&, std::int64_t)
{
}

// The byte, or the end of the pipe when the viewer ended without telling.
bool waitOnViewerWatch(const ViewerWatch& watch, std::chrono::milliseconds limit)
{
    if (watch.waitEnd() == ViewerWatch::kNone) {
        std::this_thread::sleep_for(limit);
        return false;
    }
    const int pipe = static_cast<int>(watch.waitEnd());
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd ready{pipe, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        char byte = 0;
        const ssize_t read = ::read(pipe, &byte, 1);
        if (read < 0 && errno == EINTR)
            continue;
        return read == 1;
    }
}

void closeWatchEnd(std::intptr_t end) noexcept
{
    ::close(static_cast<int>(end));
}

void TellStarterWindowShown()
{
    const char* named = std::getenv(kWindowShownVariable);
    if (named == nullptr)
        return;
    char* end = nullptr;
    const long number = std::strtol(named, &end, 10);
    if (end == named || *end != '\0' || number < 0 || number > INT_MAX)
        return;
    // Only a pipe is written to: a number naming some other file of ours
    // (the variable come down from elsewhere) is left alone.
    struct stat status {};
    if (::fstat(static_cast<int>(number), &status) != 0 || !S_ISFIFO(status.st_mode))
        return;
    const OwnedDescriptor pipe(static_cast<int>(number));
    // A starter that stopped waiting has closed its end: the write then
    // fails with EPIPE, and the SIGPIPE it raises must not end the viewer.
    sigset_t pipeSignal;
    sigset_t before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    if (::pthread_sigmask(SIG_BLOCK, &pipeSignal, &before) != 0)
        return;
    if (::write(pipe.get(), "x", 1) < 0 && errno == EPIPE && !sigismember(&before, SIGPIPE)) {
        const timespec none{};
        ::sigtimedwait(&pipeSignal, nullptr, &none);
    }
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

} // namespace ft::platform
