#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "gfx/DrawQueue.h"
#include "gfx/InstructionSet.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

// Shares the drawing of a frame with a second thread: the frame's rows are cut into bands, and
// the calling thread and the second one each take the next band and draw the queued calls'
// pixels in it until no band is left. Each pixel belongs to one band and comes out the same
// whichever thread draws it, so frames are exactly those of one thread. When the second thread
// is slow to wake (a busy machine), the caller simply draws more of the bands itself. The
// thread sleeps between frames.
class BandWorker {
public:
    BandWorker(std::uint32_t* frame, InstructionSet set);
    ~BandWorker();
    BandWorker(const BandWorker&) = delete;
    BandWorker& operator=(const BandWorker&) = delete;

    // Draws the queue with the caller's renderer and the second thread's; returns when every
    // band is drawn.
    void Draw(const DrawQueue& queue, SpanRenderer& caller);

private:
    struct Job {
        std::uint32_t number = 0;
        const DrawQueue* queue = nullptr;
    };

    // Takes the next band of the job; false once they are all taken or the job is over.
    bool Claim(const Job& job, int& band);
    // Draws bands until none is left.
    void DrawBands(const Job& job, SpanRenderer& renderer);
    void Run();

    SpanRenderer renderer_;
    std::mutex mutex_;
    Job job_;            // guarded by mutex_
    bool quit_ = false;  // guarded by mutex_
    std::atomic<std::uint32_t> posted_{0};    // the number of the latest job, to wake the thread
    std::atomic<std::uint64_t> claims_{0};    // job number << 32 | bands taken so far
    std::atomic<std::uint32_t> finished_{0};  // bands of the current job drawn
    std::thread thread_;
};

}  // namespace gfx
