#pragma once

// What the benchmarks share: wall and CPU clocks, the memory of the process,
// timing a shell command (the sqlite3 floors) and a checksum of a file, so
// that two builds can be shown to write the same bytes.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ft::bench {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start);

// User plus system time of this process (RUSAGE_SELF) or of its waited-for
// children (RUSAGE_CHILDREN).
double cpuSeconds(int who);

// Resident memory of this process now, and its peak so far, in MiB.
double residentMiB();
double peakResidentMiB();

// Runs a command through the shell and returns its wall time in seconds.
// Throws std::runtime_error when it fails.
double timedCommand(const std::string& command);

// The path in single quotes for the shell.
std::string shellQuoted(const std::filesystem::path& path);

// FNV-1a of the file's bytes and its size, as "size bytes, fnv1a 0x...".
std::string fileFingerprint(const std::filesystem::path& file);

// The INSERT statements of a registration's trace log as a script for a
// command-line client (the floors): `prologue` first, then the statements of
// each source file (which stand together in the log, each file's run ended by
// a step line) between BEGIN and COMMIT, each line passed through `adapt`.
// Returns the number of statements.
long long writeInsertScript(const std::filesystem::path& traceLog,
                            const std::vector<std::string>& prologue,
                            const std::filesystem::path& script,
                            const std::function<std::string(const std::string&)>& adapt);

// The median of three or more timings (sorted copy).
double median(std::vector<double> seconds);

} // namespace ft::bench
