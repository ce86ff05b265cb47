// The real entry point of tessellor.exe.
#include "app/CommandLine.h"
#include "app/MainDialog.h"
#include "app/WinMain.h"
#include "platform/win32/Win32Platform.h"
#include "tessellor_version.h"

#include <cstdlib>
#include <optional>

#include <windows.h>

// The C++ runtime's own terminate handler writes the uncaught exception's demangled type to standard
// error, which a GUI program does not have, and brings the demangler, a tenth of tessellor.exe.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

tessellor::win32::Win32Platform platform;
// Static initialisation: the hook messages are registered before WinMain runs.
const tessellor::HookMessages hookMessages = tessellor::registerHookMessages(platform);

// The running instance's main dialog: the band settings dialog has the same caption but an owner.
HWND findRunningDialog() {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExA(nullptr, dialog, "#32770", "Tessellor")) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    if (GetWindow(dialog, GW_OWNER) == nullptr && process != GetCurrentProcessId()) return dialog;
  }
  return nullptr;
}

// One tiler per user session: a second start shows the running instance's dialog, as a double click
// on its tray icon does, instead of fighting it over the hotkeys.
bool handedToRunningInstance() {
  // Held until the process ends; "Local\" scopes it to the session.
  CreateMutexA(nullptr, FALSE, "Local\\Tessellor.SingleInstance");
  // An elevated instance's mutex refuses a standard process access instead of answering "exists".
  const DWORD error = GetLastError();
  if (error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return false;
  // The running instance may still be creating its dialog.
  HWND dialog = nullptr;
  for (int attempt = 0; attempt < 50 && (dialog = findRunningDialog()) == nullptr; ++attempt) Sleep(100);
  if (dialog != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    AllowSetForegroundWindow(process);
    PostMessageA(dialog, tessellor::WM_TRAYICON, tessellor::TRAY_ICON_ID, WM_LBUTTONDBLCLK);
  }
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  // Every library loaded later by name comes from the system folder, never from the program's folder
  // or the working directory, where another program may have left one of the same name.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (const std::optional<int> exitCode = tessellor::runSwitch(platform, commandLine, TESSELLOR_VERSION_TEXT))
    return *exitCode;
  if (handedToRunningInstance()) return 0;
  return tessellor::WinMain(platform, hookMessages, reinterpret_cast<tessellor::HINSTANCE>(instance),
                            reinterpret_cast<tessellor::HINSTANCE>(previous), commandLine, showCommand);
}
