#pragma once

namespace ft::platform {

// The descriptor of standard error.
inline constexpr int kStandardErrorFd = 2;

// Whether the file descriptor is a terminal (a person watches it) rather
// than a file or a pipe (a script reads it).
bool isTerminal(int fd);

// The width in columns of the terminal on the descriptor; 0 when it is no
// terminal or does not tell.
int terminalColumns(int fd);

} // namespace ft::platform
