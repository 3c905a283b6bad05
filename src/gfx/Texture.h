#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

// The sampling loops read texels in whole registers, up to this many past the last one a run
// uses: every texture keeps that many readable texels after its last row.
constexpr int kTexelReadAhead = 16;

// A device that draws later than it is asked to reads its textures then. Before a texture that
// queued draws still have to read is written or destroyed, they are drawn.
class PendingReads {
public:
    virtual void FinishReads() = 0;

protected:
    ~PendingReads() = default;
};

// An ARGB8888 texture whose sides are powers of two. Textures are plain memory: any thread may
// create one, and only the thread that owns the object writes its pixels or destroys it.
class Texture {
public:
    // Sides are rounded up to powers of two (at least 1); pixels start fully transparent.
    Texture(int width, int height);
    ~Texture() { FinishPendingReads(); }
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int WidthLog2() const { return widthLog2_; }
    int HeightLog2() const { return heightLog2_; }

    // Writable pixels, row after row, Width() pixels per row. Unlock marks the contents changed.
    std::uint32_t* Lock() {
        FinishPendingReads();
        return pixels_.data();
    }
    void Unlock() { ++generation_; }

    const std::uint32_t* Pixels() const { return pixels_.data(); }
    std::uint32_t Generation() const { return generation_; }

    static int RoundUpToPowerOfTwo(int side);

    // Marks the texture as read by draws queued in reads; draws another queue still holds for it
    // are drawn first. Drawing reads a texture through a const reference, so the mark may be set
    // on one.
    void MarkPendingReads(PendingReads* reads) const {
        if (pendingReads_ != nullptr && pendingReads_ != reads) {
            pendingReads_->FinishReads();
        }
        pendingReads_ = reads;
    }
    // Takes the mark away once the draws of reads are drawn or dropped.
    void ClearPendingReads(const PendingReads* reads) const {
        if (pendingReads_ == reads) {
            pendingReads_ = nullptr;
        }
    }

private:
    void FinishPendingReads() {
        if (pendingReads_ != nullptr) {
            pendingReads_->FinishReads();
        }
    }

    mutable PendingReads* pendingReads_ = nullptr;
    int width_;
    int height_;
    int widthLog2_;
    int heightLog2_;
    std::uint32_t generation_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// What every device's CreateTexture gives: a new texture, or null for a side outside 1..4096.
std::unique_ptr<Texture> MakeTexture(int width, int height);

}  // namespace gfx
