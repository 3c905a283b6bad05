#pragma once
#include "ImageSet.h"

namespace assetgen {

// One picture that shows every generated image, scaled into a tile over a chequerboard, with its
// name and size beneath: for reviewing the art at a glance.
Canvas MakeContactSheet(const ImageSet& set);

// A battle screen put together from the pictures the way the game lays them out, for judging how
// the pieces look together.
Canvas MakeBattleMock(const ImageSet& set, const char* stage, const char* overlay);

}  // namespace assetgen
