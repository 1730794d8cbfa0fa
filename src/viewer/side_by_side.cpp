#include "viewer/side_by_side.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace ft::viewer {

std::size_t coreCount()
{
    return std::max(std::thread::hardware_concurrency(), 1U);
}

void sideBySide(std::size_t count, const std::function<void(std::size_t)>& work, unsigned most)
{
    std::vector<std::exception_ptr> failures(count);
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    };
    {
        const std::size_t threads = std::min<std::size_t>({coreCount(), most, count});
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < threads; ++i)
            helpers.emplace_back(run);
        run();
    }
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace ft::viewer
