#include "bench/bench_support.h"

#include <sys/resource.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace ft::bench {

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

namespace {

// A "Vm...:   123 kB" line of /proc/self/status, in MiB.
double statusMiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key + ":"))
            return std::strtod(line.c_str() + key.size() + 1, nullptr) / 1024.0;
    }
    return 0.0;
}

} // namespace

double residentMiB()
{
    return statusMiB("VmRSS");
}

double peakResidentMiB()
{
    return statusMiB("VmHWM");
}

double timedCommand(const std::string& command)
{
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("the command failed: " + command);
    return secondsSince(start);
}

long long writeInsertScript(const std::filesystem::path& traceLog,
                            const std::vector<std::string>& prologue,
                            const std::filesystem::path& script,
                            const std::function<std::string(const std::string&)>& adapt)
{
    std::ifstream in(traceLog, std::ios::binary);
    std::ofstream out(script, std::ios::binary);
    for (const std::string& statement : prologue)
        out << statement << ";\n";
    std::string line;
    bool inTransaction = false;
    long long statements = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool insert = line.starts_with("INSERT INTO ");
        if (insert && !inTransaction)
            out << "BEGIN;\n";
        if (!insert && inTransaction)
            out << "COMMIT;\n";
        inTransaction = insert;
        if (insert) {
            out << adapt(line) << '\n';
            ++statements;
        }
    }
    if (inTransaction)
        out << "COMMIT;\n";
    return statements;
}

std::string shellQuoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

std::string fileFingerprint(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    std::uint64_t hash = 14695981039346656037ULL;
    std::uint64_t size = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < got; ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ULL;
        }
        size += got;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%" PRIu64 " bytes, fnv1a %016" PRIx64, size, hash);
    return text;
}

double median(std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    return seconds.empty() ? 0.0 : seconds[seconds.size() / 2];
}

} // namespace ft::bench
