#pragma once
#include <vector>

namespace assetgen {

// How loud a sound is heard, after ITU-R BS.1770: the signal is K-weighted (a high shelf for the
// ear's presence region and a low cut), cut into short blocks, and the mean power of the blocks
// that pass an absolute gate (-70) and a relative one (10 below the ungated mean) is given in
// decibels of full scale (LUFS). Effects last a fraction of a second, so the blocks are 50 ms with
// a 12.5 ms hop instead of the standard's 400 ms: a short click and a long rumble are then
// measured over the time they actually sound. Silence gives -70.
float Loudness(const std::vector<float>& mono, int rate);

// The largest sample magnitude.
float Peak(const std::vector<float>& samples);

}  // namespace assetgen
