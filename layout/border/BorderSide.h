// Cell codes of the border layout, passed as plain ints everywhere; -1 is "in no cell".
#pragma once

namespace tessellor {

enum BorderSide : int { North = 0, West = 1, East = 2, South = 3, Centre = 4 };

inline constexpr int NoSide = -1;

// True for the four bands (not the Centre, not an invalid code).
constexpr bool isBand(int side) { return side >= North && side <= South; }

// North and South run along x and share by widthShare; West and East run along y by heightShare.
constexpr bool isHorizontal(int side) { return side == North || side == South; }

}  // namespace tessellor
