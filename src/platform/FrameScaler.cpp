#include "platform/FrameScaler.h"

#include <algorithm>
#include <array>
#include <cstring>

// The AVX2 code is built by GCC only, in its own region that calls nothing inline from outside
// it, so nothing built for AVX2 can reach a processor without it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VELMORIA_SCALER_AVX2 1
#include <immintrin.h>
#endif

namespace platform {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

void Fill(std::uint32_t* pixels, int count) { std::fill(pixels, pixels + count, kBlack); }

// Each source pixel repeated Scale times; a constant count lets the compiler unroll it.
template <int Scale>
void Repeat(const std::uint32_t* source, int count, std::uint32_t* target) {
    for (int x = 0; x < count; ++x) {
        const std::uint32_t pixel = source[x];
        for (int k = 0; k < Scale; ++k) {
            target[k] = pixel;
        }
        target += Scale;
    }
}

#if defined(VELMORIA_SCALER_AVX2)
#pragma GCC push_options
#pragma GCC target("avx2")
// Eight source pixels at a time become Scale vectors of eight, vector k holding source pixels
// (8k + j) / Scale: one load, Scale shuffles and Scale stores instead of 8 x Scale stores.
template <int Scale>
void RepeatAvx2(const std::uint32_t* source, int count, std::uint32_t* target) {
    static constexpr auto kLanes = [] {
        std::array<std::array<int, 8>, Scale> lanes{};
        for (int k = 0; k < Scale; ++k) {
            for (int j = 0; j < 8; ++j) {
                lanes[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)] = (8 * k + j) / Scale;
            }
        }
        return lanes;
    }();
    __m256i lanes[Scale];
    for (int k = 0; k < Scale; ++k) {
        lanes[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kLanes[static_cast<std::size_t>(k)].data()));
    }
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        for (int k = 0; k < Scale; ++k) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + 8 * k), _mm256_permutevar8x32_epi32(pixels, lanes[k]));
        }
        target += 8 * Scale;
    }
    for (; x < count; ++x) {
        for (int k = 0; k < Scale; ++k) {
            *target++ = source[x];
        }
    }
}
#pragma GCC pop_options

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2") != 0;
    return has;
}
#else
template <int Scale>
void RepeatAvx2(const std::uint32_t* source, int count, std::uint32_t* target) {
    Repeat<Scale>(source, count, target);
}
bool HasAvx2() { return false; }
#endif

template <int Scale>
void RepeatFastest(const std::uint32_t* source, int count, std::uint32_t* target) {
    if (HasAvx2()) {
        RepeatAvx2<Scale>(source, count, target);
    } else {
        Repeat<Scale>(source, count, target);
    }
}

void RepeatBy(int scale, const std::uint32_t* source, int count, std::uint32_t* target) {
    switch (scale) {
    case 1: std::memcpy(target, source, static_cast<std::size_t>(count) * sizeof(std::uint32_t)); return;
    case 2: RepeatFastest<2>(source, count, target); return;
    case 3: RepeatFastest<3>(source, count, target); return;
    case 4: RepeatFastest<4>(source, count, target); return;
    default:
        for (int x = 0; x < count; ++x) {
            std::fill(target, target + scale, source[x]);
            target += scale;
        }
    }
}

}  // namespace

void FrameScaler::Refit(int frameWidth, int frameHeight, int width, int height) {
    if (frameWidth == frameWidth_ && frameHeight == frameHeight_ && width == width_ && height == height_) {
        return;
    }
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    width_ = width;
    height_ = height;
    view_ = FitFrame(width, height, frameWidth, frameHeight);
    const bool whole = view_.width % frameWidth == 0 && view_.height % frameHeight == 0 &&
                       view_.width / frameWidth == view_.height / frameHeight;
    wholeScale_ = whole ? view_.width / frameWidth : 0;
    columnSource_.resize(static_cast<std::size_t>(std::max(0, view_.width)));
    for (int x = 0; x < view_.width; ++x) {
        int frameX = 0;
        int frameY = 0;
        view_.WindowToFrame(view_.x + x, view_.y, frameWidth, frameHeight, frameX, frameY);
        columnSource_[static_cast<std::size_t>(x)] = frameX;
    }
}

void FrameScaler::ScaleRow(const std::uint32_t* source, std::uint32_t* row) const {
    if (wholeScale_ > 0) {
        RepeatBy(wholeScale_, source, frameWidth_, row);
        return;
    }
    for (int x = 0; x < view_.width; ++x) {
        row[x] = source[columnSource_[static_cast<std::size_t>(x)]];
    }
}

void FrameScaler::Scale(const std::uint32_t* frame, int frameWidth, int frameHeight, std::uint32_t* target,
                        int width, int height, int pitch) {
    Refit(frameWidth, frameHeight, width, height);
    if (view_.width <= 0 || view_.height <= 0) {
        for (int y = 0; y < height; ++y) {
            Fill(target + static_cast<std::ptrdiff_t>(y) * pitch, width);
        }
        return;
    }
    const std::ptrdiff_t stride = pitch;
    for (int y = 0; y < view_.y; ++y) {
        Fill(target + y * stride, width);
    }
    int lastSource = -1;
    const std::uint32_t* lastRow = nullptr;
    for (int y = 0; y < view_.height; ++y) {
        std::uint32_t* line = target + (view_.y + y) * stride;
        Fill(line, view_.x);
        std::uint32_t* row = line + view_.x;
        int frameX = 0;
        int frameY = 0;
        view_.WindowToFrame(view_.x, view_.y + y, frameWidth, frameHeight, frameX, frameY);
        // Rows showing the same frame row are copies of the first of them.
        if (frameY == lastSource) {
            std::memcpy(row, lastRow, static_cast<std::size_t>(view_.width) * sizeof(std::uint32_t));
        } else {
            ScaleRow(frame + static_cast<std::ptrdiff_t>(frameY) * frameWidth, row);
            lastSource = frameY;
            lastRow = row;
        }
        Fill(row + view_.width, width - view_.x - view_.width);
    }
    for (int y = view_.y + view_.height; y < height; ++y) {
        Fill(target + y * stride, width);
    }
}

}  // namespace platform
