#include "ordered_work.h"

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

namespace tarvel {

int workerCount() {
    constexpr unsigned kMostWorkers = 4;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMostWorkers));
}

void runInOrder(std::size_t count, int workers, const std::function<void(std::size_t, int)>& work,
                const std::function<void(std::size_t, int)>& done) {
    const std::size_t batchSize = static_cast<std::size_t>(std::max(workers, 1));
    // In batches of one item per worker: the caller's thread takes the first
    // and waits for the rest. Areas take much the same time, so little is
    // lost waiting, and no queue or lock is needed.
    for (std::size_t first = 0; first < count; first += batchSize) {
        const std::size_t batch = std::min(batchSize, count - first);
        std::vector<std::future<void>> others;
        others.reserve(batch - 1);
        for (std::size_t i = 1; i < batch; ++i)
            others.push_back(std::async(
                std::launch::async, [&work, first, i] { work(first + i, static_cast<int>(i)); }));
        // Should the first item throw, the futures still wait for the others
        // as they go out of scope, so no thread outlives what it uses.
        work(first, 0);
        done(first, 0);
        for (std::size_t i = 1; i < batch; ++i) {
            others[i - 1].get();
            done(first + i, static_cast<int>(i));
        }
    }
}

} // namespace tarvel
