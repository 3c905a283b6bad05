// How fast each processor of the machine runs one thread, pinned to each in turn: a chain of
// dependent integer steps in registers, and a sum kept in memory. On a virtual machine
// the cores may be far from equal (on this one, at times, one core's stores and loads run at a
// third of the other's speed while its arithmetic keeps up), and then the figures of the other
// benchmarks depend on where their threads land. scripts/performance prints these first and
// last, so that figures are compared only between runs whose cores were alike.
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sched.h>

#include <cstdint>
#include <string>
#include <utility>

namespace {

// Runs the calling thread on one processor until it goes out of scope.
class Pinned {
public:
    explicit Pinned(int cpu) {
        pthread_getaffinity_np(pthread_self(), sizeof before_, &before_);
        cpu_set_t only;
        CPU_ZERO(&only);
        CPU_SET(cpu, &only);
        pinned_ = pthread_setaffinity_np(pthread_self(), sizeof only, &only) == 0;
    }
    ~Pinned() { pthread_setaffinity_np(pthread_self(), sizeof before_, &before_); }
    Pinned(const Pinned&) = delete;
    Pinned& operator=(const Pinned&) = delete;

    bool Held() const { return pinned_; }

private:
    cpu_set_t before_{};
    bool pinned_ = false;
};

// Linear congruential steps: each depends on the last, so the time is the processor's alone.
void Chain(benchmark::State& state) {
    std::uint64_t x = 1;
    for (auto _ : state) {
        for (int i = 0; i < (1 << 20); ++i) {
            x = x * 6364136223846793005u + 1442695040888963407u;
            benchmark::DoNotOptimize(x);
        }
    }
}

// A sum kept in memory: each step loads what the last stored, so the time is the processor's
// store-to-load forwarding, which a busy neighbour on the host core slows most, and which the
// drawing code, with its spans set up through memory, leans on.
void Memory(benchmark::State& state) {
    volatile std::uint64_t x = 1;
    for (auto _ : state) {
        for (std::uint64_t i = 0; i < (1u << 22); ++i) {
            x = x + i;
        }
    }
}

using Loop = void (*)(benchmark::State&);

void OnCore(benchmark::State& state, Loop loop, int cpu) {
    const Pinned pinned(cpu);
    if (!pinned.Held()) {
        state.SkipWithError("cannot run on this processor");
        return;
    }
    loop(state);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    sched_getaffinity(0, sizeof allowed, &allowed);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (!CPU_ISSET(cpu, &allowed)) {
            continue;
        }
        for (const auto& [name, loop] : {std::pair<const char*, Loop>{"chain", Chain}, {"memory", Memory}}) {
            const std::string title = std::string("CoreSpeed/") + name + "/cpu:" + std::to_string(cpu);
            benchmark::RegisterBenchmark(title.c_str(), OnCore, loop, cpu)->Unit(benchmark::kMillisecond)->UseRealTime();
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
