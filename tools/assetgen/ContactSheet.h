#pragma once
#include "ImageSet.h"

// One picture that shows every generated image, scaled into a tile over a chequerboard, with its
// name and size beneath: for reviewing the art at a glance.
Canvas MakeContactSheet(const ImageSet& set);
