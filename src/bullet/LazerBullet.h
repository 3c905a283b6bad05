#pragma once
#include "bullet/MovingShot.h"
#include "object/Object2DVector.h"

// The beam test: does a circle of radius r at (px, py) touch a beam of half width w that starts
// at (ox, oy) and runs along (dx, dy)? The circle must lie in front of the start (a point level
// with it is not), its distance from the axis must be less than r + w (touching exactly is not
// enough), and it must reach within `length` of the start along the beam; a negative length
// makes the beam endless.
bool BeamTouches(float ox, float oy, float dx, float dy, float px, float py, float r, float w, float length);

// A strip that moves like a straight shot: a constant velocity and acceleration move its
// anchor. Its tower sets it up and deletes it.
class LazerBullet : public MovingShot<Object2DVector> {};

// The laser of the second character's laser tower: a strip anchored at the tower, which turns,
// widens and fades it.
class MirageLazerBullet : public LazerBullet {};
