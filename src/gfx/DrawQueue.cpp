#include "gfx/DrawQueue.h"

#include <algorithm>
#include <cstring>

#include "gfx/Blender.h"
#include "gfx/Device.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

void ClearRows(std::uint32_t* frame, InstructionSet set, std::uint32_t colour, RowBand rows) {
    // Drawing without blending replaces every pixel, whole registers at a time.
    Blender(PipelineState{}, set)
        .BlendConstant(colour, frame + static_cast<std::ptrdiff_t>(rows.first) * kFrameWidth,
                       (rows.end - rows.first) * kFrameWidth);
}

DrawQueue::DrawQueue(std::uint32_t* frame, InstructionSet set, PendingReads* reads)
    : frame_(frame), set_(set), reads_(reads) {}

DrawQueue::~DrawQueue() { Reset(); }

void DrawQueue::AddClear(std::uint32_t colour) {
    Call call;
    call.colour = colour;
    call.rows = {0, kFrameHeight};
    calls_.push_back(call);
}

void DrawQueue::AddStrip(const PipelineState& state, const void* vertices, std::uint32_t stride,
                         std::uint32_t triangles) {
    const RowBand rows = StripRows(vertices, stride, triangles);
    if (rows.first >= rows.end) {
        return;
    }
    Call call;
    call.state = state;
    call.firstVertex = static_cast<std::uint32_t>(vertices_.size());
    call.triangles = triangles;
    call.rows = rows;
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    for (std::uint32_t i = 0; i < triangles + 2; ++i) {
        QuadVertex vertex;
        std::memcpy(&vertex, bytes + static_cast<std::size_t>(stride) * i, sizeof vertex);
        vertices_.push_back(vertex);
    }
    for (const StageState& stage : state.stages) {
        if (stage.texture != nullptr) {
            stage.texture->MarkPendingReads(reads_);
            textures_.push_back(stage.texture);
        }
    }
    calls_.push_back(call);
}

void DrawQueue::DrawRows(RowBand band, SpanRenderer& renderer) const {
    for (const Call& call : calls_) {
        const RowBand rows{std::max(band.first, call.rows.first), std::min(band.end, call.rows.end)};
        if (rows.first >= rows.end) {
            continue;
        }
        if (call.triangles == 0) {
            ClearRows(frame_, set_, call.colour, rows);
            continue;
        }
        renderer.Begin(call.state);
        RasterizeStrip(vertices_.data() + call.firstVertex, sizeof(QuadVertex), call.triangles, rows, renderer);
    }
}

void DrawQueue::Reset() {
    for (const Texture* texture : textures_) {
        texture->ClearPendingReads(reads_);
    }
    textures_.clear();
    calls_.clear();
    vertices_.clear();
}

}  // namespace gfx
