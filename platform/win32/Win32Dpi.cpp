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

#include "platform/win32/SystemFunction.h"

namespace tessellor::win32 {

namespace {

using GetDpiForWindowFn = ::UINT(WINAPI*)(::HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, ::UINT);
using GetDpiForMonitorFn = ::HRESULT(WINAPI*)(::HMONITOR, int, ::UINT*, ::UINT*);

}  // namespace

UINT Win32Platform::GetDpiForWindow(HWND hwnd) {
  static const auto fn = systemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow", false);
  if (fn == nullptr) return ::IsWindow(reinterpret_cast<::HWND>(hwnd)) ? kDefaultDpi : 0;
  return fn(reinterpret_cast<::HWND>(hwnd));
}

HRESULT Win32Platform::GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) {
  static const auto fn = systemFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
  if (fn == nullptr || dpiX == nullptr || dpiY == nullptr) return kNotImplemented;
  ::UINT x = 0, y = 0;
  const ::HRESULT result = fn(reinterpret_cast<::HMONITOR>(monitor), dpiType, &x, &y);
  *dpiX = x;
  *dpiY = y;
  return result;
}

int Win32Platform::GetSystemMetricsForDpi(int index, UINT dpi) {
  static const auto fn = systemFunction<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi", false);
  return fn != nullptr ? fn(index, dpi) : ::GetSystemMetrics(index);
}

}  // namespace tessellor::win32
