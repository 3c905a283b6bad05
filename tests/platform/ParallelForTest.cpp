#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/ParallelFor.h"

namespace {

TEST(ParallelFor, CallsTheWorkOnceForEveryIndexAndReturnsWhenAllIsDone) {
    for (const std::size_t count : {0u, 1u, 2u, 3u, 1000u}) {
        std::vector<std::atomic<int>> calls(count);
        platform::ParallelFor(count, [&calls](std::size_t i) { calls[i].fetch_add(1); });
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(calls[i].load(), 1) << "index " << i << " of " << count;
        }
    }
}

}  // namespace
