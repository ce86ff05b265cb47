// The four band thicknesses of a border layout, each a fraction of the screen across its band. The
// program starts every band at a fifth of the screen; the border settings dialog changes them.
#pragma once

namespace tessellor {

struct BorderWeights {  // in BorderSide order
  double northWeight = 0.2;
  double westWeight = 0.2;
  double eastWeight = 0.2;
  double southWeight = 0.2;
};

}  // namespace tessellor
