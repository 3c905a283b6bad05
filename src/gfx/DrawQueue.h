#pragma once
#include <cstdint>
#include <vector>

#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"
#include "gfx/QuadVertex.h"
#include "gfx/Rasterizer.h"
#include "gfx/Texture.h"

namespace gfx {

class SpanRenderer;

// Sets rows rows.first .. rows.end - 1 of the frame to colour, as a clear does.
void ClearRows(std::uint32_t* frame, InstructionSet set, std::uint32_t colour, RowBand rows);

// The clears and draws of a frame, held back until the frame is needed so that it can be drawn
// in bands of rows, each band by one thread. Within a band every pixel goes through the draws
// in the order they were asked for, so any split of the rows gives the frame of one thread
// drawing each call as it comes. The queue copies the vertices and the states; the textures
// are marked, so that writing or destroying one first has the draws that read it drawn.
class DrawQueue {
public:
    // reads is told when a texture the queued draws read is about to be written or destroyed.
    DrawQueue(std::uint32_t* frame, InstructionSet set, PendingReads* reads);
    ~DrawQueue();
    DrawQueue(const DrawQueue&) = delete;
    DrawQueue& operator=(const DrawQueue&) = delete;

    void AddClear(std::uint32_t colour);
    // A strip of QuadVertex triangles, stride bytes apart.
    void AddStrip(const PipelineState& state, const void* vertices, std::uint32_t stride, std::uint32_t triangles);

    bool Empty() const { return calls_.empty(); }
    // The pixels of the queued calls that lie in rows band.first .. band.end - 1, in order.
    void DrawRows(RowBand band, SpanRenderer& renderer) const;
    // Forgets the queued calls and unmarks their textures.
    void Reset();

private:
    struct Call {
        PipelineState state;  // the states of a strip
        std::uint32_t firstVertex = 0;
        std::uint32_t triangles = 0;  // 0 for a clear
        std::uint32_t colour = 0;     // the colour of a clear
        RowBand rows;                 // the rows the call may touch
    };

    std::uint32_t* frame_;
    InstructionSet set_;
    PendingReads* reads_;
    std::vector<Call> calls_;
    std::vector<QuadVertex> vertices_;
    std::vector<const Texture*> textures_;
};

}  // namespace gfx
