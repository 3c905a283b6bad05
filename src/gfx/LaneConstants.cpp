#include "gfx/LaneConstants.h"

namespace gfx {

template <std::uint32_t kValue>
alignas(32) const std::uint32_t Lanes32<kValue>::kLanes[8] = {kValue, kValue, kValue, kValue,
                                                              kValue, kValue, kValue, kValue};

template <std::uint16_t kValue>
alignas(32) const std::uint16_t Lanes16<kValue>::kLanes[16] = {kValue, kValue, kValue, kValue, kValue, kValue,
                                                               kValue, kValue, kValue, kValue, kValue, kValue,
                                                               kValue, kValue, kValue, kValue};

template struct Lanes32<0xFF000000u>;
template struct Lanes32<0x01000000u>;
template struct Lanes32<0xFE000000u>;
template struct Lanes32<0x00FFFFFFu>;
template struct Lanes32<0x80808080u>;
template struct Lanes32<0xFF00FF00u>;
template struct Lanes16<128>;
template struct Lanes16<255>;
template struct Lanes16<257>;
template struct Lanes16<128 * 255 + 128>;

}  // namespace gfx
