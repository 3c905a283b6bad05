#include "gfx/BandWorker.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

namespace {

// Large draws tend to come one after another (the layers of a frame): a thread that has just
// finished looks for the next job a little while before it sleeps, as waking it costs more.
constexpr int kSpinsBeforeSleep = 256;

void Pause() {
#if defined(__SSE2__)
    _mm_pause();
#endif
}

// Waits until the counter differs from value.
void AwaitChange(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    for (int spin = 0; spin < kSpinsBeforeSleep; ++spin) {
        if (counter.load(std::memory_order_acquire) != value) {
            return;
        }
        Pause();
    }
    counter.wait(value, std::memory_order_acquire);
}

}  // namespace

BandWorker::BandWorker(std::uint32_t* frame, InstructionSet set) : renderer_(frame, set), thread_([this] { Run(); }) {}

BandWorker::~BandWorker() {
    quit_ = true;
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    thread_.join();
}

void BandWorker::Start(const PipelineState& state, const void* vertices, std::uint32_t stride, std::uint32_t triangles,
                       RowBand band) {
    job_ = {&state, vertices, stride, triangles, band};
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
}

void BandWorker::Finish() {
    const std::uint32_t posted = posted_.load(std::memory_order_relaxed);
    for (std::uint32_t done = done_.load(std::memory_order_acquire); done != posted;
         done = done_.load(std::memory_order_acquire)) {
        AwaitChange(done_, done);
    }
}

void BandWorker::Run() {
    std::uint32_t seen = 0;
    for (;;) {
        AwaitChange(posted_, seen);
        seen = posted_.load(std::memory_order_acquire);
        if (quit_) {
            return;
        }
        renderer_.Begin(*job_.state);
        RasterizeStrip(job_.vertices, job_.stride, job_.triangles, job_.band, renderer_);
        done_.store(seen, std::memory_order_release);
        done_.notify_one();
    }
}

}  // namespace gfx
