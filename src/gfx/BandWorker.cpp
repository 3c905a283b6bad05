#include "gfx/BandWorker.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx {

namespace {

// Small enough that the caller seldom waits long for the other thread's last band, large
// enough that setting up a draw again for each band costs little.
constexpr int kBandRows = 32;

// Large draws tend to come one after another (the layers of a frame): a thread that has just
// finished looks for the next job a little while before it sleeps, as waking it costs more.
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

void BandWorker::Draw(const PipelineState& state, SpanRenderer& caller, const void* vertices, std::uint32_t stride,
                      std::uint32_t triangles, RowBand rows) {
    Job job{0, &state, vertices, stride, triangles, rows, (rows.end - rows.first + kBandRows - 1) / kBandRows};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job.number = job_.number + 1;
        job_ = job;
        finished_.store(0, std::memory_order_relaxed);
        claims_.store(std::uint64_t{job.number} << 32, std::memory_order_release);
    }
    posted_.store(job.number, std::memory_order_release);
    posted_.notify_one();
    DrawBands(job, caller, false);
    const auto bands = static_cast<std::uint32_t>(job.bands);
    for (std::uint32_t done = finished_.load(std::memory_order_acquire); done != bands;
         done = finished_.load(std::memory_order_acquire)) {
        AwaitChange(finished_, done);
    }
}

bool BandWorker::Claim(const Job& job, int& band) {
    std::uint64_t claims = claims_.load(std::memory_order_acquire);
    for (;;) {
        const auto taken = static_cast<int>(claims & 0xFFFFFFFFu);
        if ((claims >> 32) != job.number || taken >= job.bands) {
            return false;
        }
        if (claims_.compare_exchange_weak(claims, claims + 1, std::memory_order_acq_rel)) {
            band = taken;
            return true;
        }
    }
}

void BandWorker::DrawBands(const Job& job, SpanRenderer& renderer, bool begin) {
    int band = 0;
    while (Claim(job, band)) {
        // A claimed band holds the job open, so its states stay as they are until it is drawn.
        if (begin) {
            renderer.Begin(*job.state);
            begin = false;
        }
        const int first = job.rows.first + band * kBandRows;
        RasterizeStrip(job.vertices, job.stride, job.triangles, {first, std::min(first + kBandRows, job.rows.end)},
                       renderer);
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
        DrawBands(job, renderer_, true);
    }
}

}  // namespace gfx
