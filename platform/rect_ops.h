// The user32 rectangle helpers, with their Windows semantics. They touch no system state, so both
// platforms share this one definition.
#pragma once

#include <algorithm>

#include "platform/win_types.h"

namespace tessellor {

inline BOOL IsRectEmpty(const RECT* r) {
  return (r == nullptr || r->right <= r->left || r->bottom <= r->top) ? TRUE : FALSE;
}

inline BOOL CopyRect(RECT* to, const RECT* from) {
  if (to == nullptr || from == nullptr) return FALSE;
  *to = *from;
  return TRUE;
}

inline BOOL SetRectEmpty(RECT* r) {
  if (r == nullptr) return FALSE;
  *r = RECT{0, 0, 0, 0};
  return TRUE;
}

// An empty intersection leaves `out` as the empty rectangle (0, 0, 0, 0) and answers FALSE.
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r) || IsRectEmpty(a) || IsRectEmpty(b)) {
    SetRectEmpty(out);
    return FALSE;
  }
  *out = r;
  return TRUE;
}

}  // namespace tessellor
