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

// Lets a console show the UTF-8 text the program writes. On Windows a
// console's code page is switched to UTF-8 (what goes to a file or a pipe is
// UTF-8 as it is); a Linux terminal takes UTF-8 already. Called once by a
// program that writes to the console, before it writes.
void prepareConsoleOutput();

} // namespace ft::platform
