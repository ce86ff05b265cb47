#pragma once

namespace tessellor {

// The band thicknesses a new Border Layout starts with, as fractions of the screen; the band-size
// dialog edits them.
struct BorderWeights {
  double northWeight = 0.2;
  double southWeight = 0.2;
  double westWeight = 0.2;
  double eastWeight = 0.2;
};

}  // namespace tessellor
