#include "gfx/BandWorker.h"

#include <iterator>

#include "gfx/Device.h"
#include "platform/AddressWait.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

namespace {

// The bands' first rows, and the frame's height last. Few enough that a sprite seldom has to be
// set up for two bands; shorter towards the end, so that the bands taken last are short and the
// thread that finishes first waits little for the other (a third of the wait of even bands).
constexpr int kBandEdges[] = {0, 80, 160, 224, 288, 336, 384, 416, 448, 464, kFrameHeight};
constexpr int kBands = static_cast<int>(std::size(kBandEdges)) - 1;
static_assert(kBandEdges[0] == 0 && [] {
    for (int band = 0; band < kBands; ++band) {
        if (kBandEdges[band] >= kBandEdges[band + 1]) {
            return false;
        }
    }
    return true;
}(), "every row belongs to exactly one band");

// A thread that has just finished looks for the next job a little while before it sleeps, as
// waking it costs more.
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
    platform::WaitWhileEquals(counter, value);
}

}  // namespace

BandWorker::BandWorker(std::uint32_t* frame, InstructionSet set) : renderer_(frame, set), thread_([this] { Run(); }) {}

BandWorker::~BandWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    posted_.fetch_add(1, std::memory_order_release);
    platform::WakeOneWaiter(posted_);
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
    platform::WakeOneWaiter(posted_);
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
        job.queue->DrawRows({kBandEdges[band], kBandEdges[band + 1]}, renderer);
        finished_.fetch_add(1, std::memory_order_acq_rel);
        platform::WakeOneWaiter(finished_);
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
