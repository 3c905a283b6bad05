#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"
#include "gfx/Rasterizer.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

// Shares large draws with a second thread: the rows of a draw are cut into bands of a few rows,
// and the calling thread and the second one each take the next band until none is left. Each
// pixel belongs to one band and comes out the same whichever thread draws it, so frames are
// exactly those of one thread. When the second thread is slow to wake (a busy machine), the
// caller simply draws more of the bands itself. The thread sleeps between draws.
class BandWorker {
public:
    BandWorker(std::uint32_t* frame, InstructionSet set);
    ~BandWorker();
    BandWorker(const BandWorker&) = delete;
    BandWorker& operator=(const BandWorker&) = delete;

    // Draws the rows of the strip with the caller's renderer (already begun with the state) and
    // the second thread's; returns when every band is drawn.
    void Draw(const PipelineState& state, SpanRenderer& caller, const void* vertices, std::uint32_t stride,
              std::uint32_t triangles, RowBand rows);

private:
    struct Job {
        std::uint32_t number = 0;
        const PipelineState* state = nullptr;
        const void* vertices = nullptr;
        std::uint32_t stride = 0;
        std::uint32_t triangles = 0;
        RowBand rows;
        int bands = 0;
    };

    // Takes the next band of the job; false once they are all taken or the job is over.
    bool Claim(const Job& job, int& band);
    // Draws bands until none is left; the renderer is begun at the first band when asked.
    void DrawBands(const Job& job, SpanRenderer& renderer, bool begin);
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
