#pragma once

// Degrees to radians. Scene objects keep their angles in degrees, as the
// game's data gives them; the matrix builders and the motion take radians.
constexpr float DEG_TO_RAD = 0.017453292519943f;

inline constexpr float toRadians(float degrees) { return degrees * DEG_TO_RAD; }
