// The real entry point of tessellor.exe.
#include "app/WinMain.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

namespace {

tessellor::win32::Win32Platform platform;
// Static initialisation: the hook messages are registered before WinMain runs.
const tessellor::HookMessages hookMessages = tessellor::registerHookMessages(platform);

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return tessellor::WinMain(platform, hookMessages, reinterpret_cast<tessellor::HINSTANCE>(instance),
                            reinterpret_cast<tessellor::HINSTANCE>(previous), commandLine, showCommand);
}
