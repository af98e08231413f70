// Angles: the game keeps them in degrees (yaw 0 faces -z, 90 faces +x); these convert for the maths.
#pragma once

namespace QUORL_COMMON {

constexpr double PI = 3.141592653589793;

// Radians of `degrees`, rounded as (degrees * PI) / 180.
inline double Radians(double degrees) { return degrees * PI / 180.0; }
// Degrees of `radians`, rounded as (radians * 180) / PI.
inline double Degrees(double radians) { return radians * 180.0 / PI; }
// One degree in radians. Multiplying by it rounds once, not twice as Radians does; the places that
// move the player and test the walls use it, and their recorded demos depend on that rounding.
constexpr double RADIANS_PER_DEGREE = PI / 180.0;

}  // namespace QUORL_COMMON
