#pragma once

namespace tessellor {

// Whether a window taken out of a layout also loses its remembered first and placed rectangles
// (Yes: it is gone for good) or keeps them for a later return or restore (No).
enum class ForgetRects : bool { No, Yes };

}  // namespace tessellor
