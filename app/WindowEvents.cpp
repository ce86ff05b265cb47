#include "app/WindowEvents.h"

namespace tessellor {

bool dispatchWindowEvent(Shell& shell, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  const HookMessages& m = shell.messages;
  return message == m.sizing || message == m.close || message == m.minmax;
}

}  // namespace tessellor
