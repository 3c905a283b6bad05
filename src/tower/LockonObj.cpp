#include "tower/LockonObj.h"

namespace {

constexpr float kFollowShare = 0.1f;

}  // namespace

void LockonObj::FollowTo(float targetX, float targetY) {
    SetPosition(x + (targetX - x) * kFollowShare, y + (targetY - y) * kFollowShare);
}
