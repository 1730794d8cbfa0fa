#pragma once

// Runs independent pieces of work on every core: reading the drawings of a
// request, building its name index and matching its items do not depend on
// one another piece by piece.

#include <cstddef>
#include <functional>

namespace ft::viewer {

// Calls work(i) for every i below count, on up to `most` threads at once
// (the calling thread among them), and returns when all are done. The first
// exception thrown by a piece is thrown again here, after the others ended.
void sideBySide(std::size_t count, const std::function<void(std::size_t)>& work, unsigned most = 4);

// How many pieces to cut work into so that every core has one.
std::size_t coreCount();

} // namespace ft::viewer
