#pragma once
#include <cstdint>

// The vector blending arithmetic, written once for any register width: V supplies the
// instructions and kPixels, the pixels one register holds. Each kernel gives exactly the
// result of the scalar blend. Only templates live here, because this file is compiled for
// more than one instruction set.
namespace gfx::kernels {

enum class Kind { Replace, SourceOver, Additive };

template <typename V>
bool AllAlphas(typename V::Pixels s, std::uint32_t alpha) {
    return V::AllOnes(V::Equal32(V::And(s, V::template Constant<0xFF000000u>()), V::Splat(alpha << 24)));
}

template <typename V>
typename V::Pixels Opaque(typename V::Pixels p) {
    return V::Or(p, V::template Constant<0xFF000000u>());
}

// Whether every pixel's alpha is 0 or 255: adding one to the alpha byte leaves 0 or 1 there.
template <typename V>
bool OpaqueOrClear(typename V::Pixels s) {
    return V::AllZero(V::And(V::Add32(s, V::template Constant<0x01000000u>()), V::template Constant<0xFE000000u>()));
}

// Two widened pixels of source over two of target, by the source's alpha spread over the lanes.
template <typename V>
typename V::Pixels SourceOverWide(typename V::Pixels sw, typename V::Pixels dw, typename V::Pixels a) {
    return V::Div255(V::Add16(V::Mul16(sw, a), V::Mul16(dw, V::Sub16(V::template Constant16<255>(), a))));
}

// SourceOverWide where V multiplies byte pairs and adds the products: s * a + d * (255 - a) is
// one multiply-add of the interleaved pairs (s, d) by the pairs (a, 255 - a). The pixel bytes
// must be signed there, so they come biased as s - 128 and d - 128: that takes 128 * 255 off
// every sum and keeps the sums within 16 bits. The division by 255 puts it back, with the 128 it
// rounds by.
template <typename V>
typename V::Pixels SourceOverPairs(typename V::Pixels biasedPairs, typename V::Pixels alphaPairs) {
    const typename V::Pixels sum = V::MultiplyAddPairs(alphaPairs, biasedPairs);
    return V::MulHigh16(V::Add16(sum, V::template Constant16<128 * 255 + 128>()), V::template Constant16<257>());
}

// Sprites are mostly fully opaque or fully transparent: registers of only such pixels need no
// arithmetic, each pixel being the source or the target whole.
template <typename V>
typename V::Pixels SourceOver(typename V::Pixels s, typename V::Pixels d) {
    if (OpaqueOrClear<V>(s)) {
        return V::OpaqueOrTarget(s, d);
    }
    if constexpr (V::kMultipliesBytePairs) {
        const typename V::Pixels bias = V::template Constant<0x80808080u>();
        const typename V::Pixels sb = V::Xor(s, bias);
        const typename V::Pixels db = V::Xor(d, bias);
        return Opaque<V>(V::Narrow(SourceOverPairs<V>(V::InterleaveLow(sb, db), V::AlphaPairsLow(s)),
                                   SourceOverPairs<V>(V::InterleaveHigh(sb, db), V::AlphaPairsHigh(s))));
    }
    return Opaque<V>(V::Narrow(SourceOverWide<V>(V::WidenLow(s), V::WidenLow(d), V::AlphaLow(s)),
                               SourceOverWide<V>(V::WidenHigh(s), V::WidenHigh(d), V::AlphaHigh(s))));
}

// Two widened pixels weighted by their alpha spread over the lanes.
template <typename V>
typename V::Pixels AlphaWeighted(typename V::Pixels sw, typename V::Pixels a) {
    return V::Div255(V::Mul16(sw, a));
}

template <typename V>
typename V::Pixels Additive(typename V::Pixels s, typename V::Pixels d) {
    if (AllAlphas<V>(s, 0)) {
        return d;
    }
    return Opaque<V>(V::AddSaturate8(
        V::Narrow(AlphaWeighted<V>(V::WidenLow(s), V::AlphaLow(s)), AlphaWeighted<V>(V::WidenHigh(s), V::AlphaHigh(s))),
        d));
}

template <typename V, Kind kKind>
typename V::Pixels Apply(typename V::Pixels s, typename V::Pixels d) {
    if constexpr (kKind == Kind::Replace) {
        return Opaque<V>(s);
    } else if constexpr (kKind == Kind::SourceOver) {
        return SourceOver<V>(s, d);
    } else {
        return Additive<V>(s, d);
    }
}

// The last pixels of a run, fewer than a register, where V can mask the lanes past them: the
// lanes blend what they load but only the run's pixels are stored. Returns the pixels done.
template <typename V, typename Operation>
int Tail(const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target, int count, Operation operation) {
    if constexpr (V::kMaskedTail) {
        if (count > 0) {
            const typename V::Pixels lanes = V::FirstLanes(count);
            const typename V::Pixels s = source == nullptr ? V::Splat(constant) : V::LoadFirst(source, lanes);
            V::StoreFirst(target, lanes, operation(s, V::LoadFirst(target, lanes)));
            return count;
        }
    }
    return 0;
}

// Apply as a function object, for Tail.
template <typename V, Kind kKind>
struct Applier {
    typename V::Pixels operator()(typename V::Pixels s, typename V::Pixels d) const { return Apply<V, kKind>(s, d); }
};

// Applies blend(source pixels, target pixels) over the whole registers of a run, and over its
// last pixels where V masks lanes, storing onto the target. Returns the pixels done.
template <typename V, typename Blend>
int BlendEach(const std::uint32_t* source, std::uint32_t* target, int count, Blend blend) {
    int i = 0;
    for (; i + V::kPixels <= count; i += V::kPixels) {
        V::Store(target + i, blend(V::Load(source + i), V::Load(target + i)));
    }
    return i + Tail<V>(source + i, 0, target + i, count - i, blend);
}

template <typename V, Kind kKind>
int RunKind(const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target, int count) {
    if (source != nullptr) {
        return BlendEach<V>(source, target, count, Applier<V, kKind>{});
    }
    const typename V::Pixels s = V::Splat(constant);
    int i = 0;
    for (; i + V::kPixels <= count; i += V::kPixels) {
        V::Store(target + i, Apply<V, kKind>(s, V::Load(target + i)));
    }
    return i + Tail<V>(nullptr, constant, target + i, count - i, Applier<V, kKind>{});
}

// Blends the whole registers of a run, and the last pixels too where V masks lanes, from source
// or, when it is null, from one constant colour. Returns how many pixels it did; the rest are
// the caller's.
template <typename V>
int Run(Kind kind, const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target, int count) {
    switch (kind) {
    case Kind::Replace: return RunKind<V, Kind::Replace>(source, constant, target, count);
    case Kind::SourceOver: return RunKind<V, Kind::SourceOver>(source, constant, target, count);
    case Kind::Additive: return RunKind<V, Kind::Additive>(source, constant, target, count);
    }
    return 0;
}

}  // namespace gfx::kernels
