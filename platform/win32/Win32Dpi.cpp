// Scale per monitor. GetDpiForWindow and GetSystemMetricsForDpi came with Windows 10 1607, and
// GetDpiForMonitor lives in shcore.dll: each is found at run time, so that the program still starts
// where one is missing and then sees every monitor at 96 DPI.
// Our declarations first, so that the macros of <windows.h> cannot rewrite them.
#include "platform/win32/Win32Platform.h"

namespace {
// Taken before <windows.h> turns these names into macros.
constexpr tessellor::UINT kDefaultDpi = tessellor::USER_DEFAULT_SCREEN_DPI;
constexpr tessellor::HRESULT kNotImplemented = tessellor::E_NOTIMPL;
}  // namespace

#include <windows.h>

namespace tessellor::win32 {

namespace {

using GetDpiForWindowFn = ::UINT(WINAPI*)(::HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, ::UINT);
using GetDpiForMonitorFn = ::HRESULT(WINAPI*)(::HMONITOR, int, ::UINT*, ::UINT*);

template <class Fn>
Fn find(const char* module, const char* name, bool load) {
  // From the system folder only: a DLL of that name beside the program or in the working directory
  // would otherwise be loaded first.
  ::HMODULE m = load ? ::LoadLibraryExA(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) : ::GetModuleHandleA(module);
  return m != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name))) : nullptr;
}

}  // namespace

UINT Win32Platform::GetDpiForWindow(HWND hwnd) {
  static const auto fn = find<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow", false);
  if (fn == nullptr) return ::IsWindow(reinterpret_cast<::HWND>(hwnd)) ? kDefaultDpi : 0;
  return fn(reinterpret_cast<::HWND>(hwnd));
}

HRESULT Win32Platform::GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) {
  static const auto fn = find<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor", true);
  if (fn == nullptr || dpiX == nullptr || dpiY == nullptr) return kNotImplemented;
  ::UINT x = 0, y = 0;
  const ::HRESULT result = fn(reinterpret_cast<::HMONITOR>(monitor), dpiType, &x, &y);
  *dpiX = x;
  *dpiY = y;
  return result;
}

int Win32Platform::GetSystemMetricsForDpi(int index, UINT dpi) {
  static const auto fn = find<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi", false);
  return fn != nullptr ? fn(index, dpi) : ::GetSystemMetrics(index);
}

}  // namespace tessellor::win32
