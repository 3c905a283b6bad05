#pragma once
#include "base/SceneContext.h"

namespace tower {

// Where the mouse pointer was last seen in a running frame, for the towers that aim at it.
struct Pointer {
    int x = 0;
    int y = 0;
};

// Either mouse button went down this frame: the right button selects and buys as the left does.
inline bool MouseClicked(const SceneContext& input) { return input.leftPressed != 0 || input.rightPressed != 0; }

inline bool KeyPressed(const SceneContext& input, WatchedKey key) { return input.keys[key].pressed != 0; }

}  // namespace tower
