#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"
#include "gfx/Rasterizer.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

// A second thread that draws one band of rows of a large draw while the device's own thread
// draws the rest. Each pixel belongs to one band and comes out the same whichever thread draws
// it, so frames are exactly those of one thread. The thread sleeps between draws.
class BandWorker {
public:
    BandWorker(std::uint32_t* frame, InstructionSet set);
    ~BandWorker();
    BandWorker(const BandWorker&) = delete;
    BandWorker& operator=(const BandWorker&) = delete;

    // Starts drawing the band of the strip and returns at once. The states, the vertices and the
    // textures must stay as they are until Finish returns.
    void Start(const PipelineState& state, const void* vertices, std::uint32_t stride, std::uint32_t triangles,
               RowBand band);
    // Returns once the started draw is done.
    void Finish();

private:
    struct Job {
        const PipelineState* state = nullptr;
        const void* vertices = nullptr;
        std::uint32_t stride = 0;
        std::uint32_t triangles = 0;
        RowBand band;
    };

    void Run();

    SpanRenderer renderer_;
    Job job_;
    bool quit_ = false;
    // Jobs handed over and jobs done, counted; the thread owns job_ while they differ.
    std::atomic<std::uint32_t> posted_{0};
    std::atomic<std::uint32_t> done_{0};
    std::thread thread_;
};

}  // namespace gfx
