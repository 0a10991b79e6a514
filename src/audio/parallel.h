#pragma once
// Running one job per index on a few worker threads.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace mmx::audio {

template <typename Job>
void forEachIndexInParallel(size_t count, unsigned threads, const Job& job) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<size_t>(threads, count));
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < count; i = next++) job(i);
    };
    std::vector<std::jthread> workers;
    for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work);
    work();  // the calling thread takes a share too
}

}  // namespace mmx::audio
