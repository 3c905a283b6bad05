#include "platform/ParallelFor.h"

#include <atomic>
#include <thread>

namespace platform {

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    const auto share = [&] {
        for (std::size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
            work(i);
        }
    };
    if (count < 2 || std::thread::hardware_concurrency() < 2) {
        share();
        return;
    }
    std::thread helper(share);
    share();
    helper.join();
}

}  // namespace platform
