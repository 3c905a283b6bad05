#include "gfx/BandWorker.h"

#include <algorithm>

#include "gfx/Device.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

namespace {

// Few enough that a sprite seldom has to be set up for two bands, enough that the caller seldom
// waits long for the other thread's last band.
constexpr int kBands = 8;
constexpr int kBandRows = (kFrameHeight + kBands - 1) / kBands;

// A thread that has just finished looks for the next job a little while before it sleeps, as
// waking it costs more.
constexpr int kSpinsBeforeSleep = 256;

void Pause() {
#if defined(__SSE2__)
    _mm_pause();
#endif
}

// Waits until the counter differs from value.
template <typename T>
void AwaitChange(const std::atomic<T>& counter, T value) {
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    thread_.join();
}

void BandWorker::Draw(const DrawQueue& queue, SpanRenderer& caller) {
    Job job{0, &queue};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job.number = job_.number + 1;
        job_ = job;
        finished_.store(0, std::memory_order_relaxed);
        claims_.store(std::uint64_t{job.number} << 32, std::memory_order_release);
    }
    posted_.store(job.number, std::memory_order_release);
    posted_.notify_one();
    DrawBands(job, caller);
    for (std::uint32_t done = finished_.load(std::memory_order_acquire); done != kBands;
         done = finished_.load(std::memory_order_acquire)) {
        AwaitChange(finished_, done);
    }
}

bool BandWorker::Claim(const Job& job, int& band) {
    std::uint64_t claims = claims_.load(std::memory_order_acquire);
    for (;;) {
        const auto taken = static_cast<int>(claims & 0xFFFFFFFFu);
        if ((claims >> 32) != job.number || taken >= kBands) {
            return false;
        }
        if (claims_.compare_exchange_weak(claims, claims + 1, std::memory_order_acq_rel)) {
            band = taken;
            return true;
        }
    }
}

void BandWorker::DrawBands(const Job& job, SpanRenderer& renderer) {
    int band = 0;
    // A claimed band holds the job open, so the queue stays as it is until the band is drawn.
    while (Claim(job, band)) {
        const int first = band * kBandRows;
        job.queue->DrawRows({first, std::min(first + kBandRows, kFrameHeight)}, renderer);
        finished_.fetch_add(1, std::memory_order_acq_rel);
        finished_.notify_one();
    }
}

void BandWorker::Run() {
    std::uint32_t seen = 0;
    for (;;) {
        AwaitChange(posted_, seen);
        seen = posted_.load(std::memory_order_acquire);
        Job job;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (quit_) {
                return;
            }
            job = job_;
        }
        DrawBands(job, renderer_);
    }
}

}  // namespace gfx
