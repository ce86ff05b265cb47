// The shell's virtual desktop manager, created once on the UI thread. Where it cannot be created
// (Wine, Windows before 10), every window counts as on the desktop that is shown.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
// shobjidl needs windows.h first.
#include <objbase.h>
#include <shobjidl.h>

#include "platform/win32/SystemFunction.h"

namespace tessellor::win32 {

static_assert(sizeof(GUID) == sizeof(::GUID));

// Inlined into its two callers, for the size budget of the exe.
[[gnu::always_inline]] inline void* Win32Platform::desktopManager() {
  if (desktopManagerAsked_) return desktopManager_;
  desktopManagerAsked_ = true;
  // COM is loaded here, after the tray icon shows, not with the program.
  using CoInitializeExFn = ::HRESULT(WINAPI*)(::LPVOID, ::DWORD);
  using CoCreateInstanceFn = ::HRESULT(WINAPI*)(const ::GUID&, ::LPUNKNOWN, ::DWORD, const ::GUID&, ::LPVOID*);
  const auto coInitializeEx = systemFunction<CoInitializeExFn>("ole32.dll", "CoInitializeEx");
  const auto coCreateInstance = systemFunction<CoCreateInstanceFn>("ole32.dll", "CoCreateInstance");
  if (coInitializeEx == nullptr || coCreateInstance == nullptr) return nullptr;
  // S_FALSE when the thread is initialised already; one of another apartment still creates it.
  const ::HRESULT init = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(init) && init != RPC_E_CHANGED_MODE) return nullptr;
  // As shobjidl declares them; spelt here, since libuuid would bring every GUID it knows.
  ::GUID clsid{0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
  ::GUID iid{0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};
  ::IVirtualDesktopManager* created = nullptr;
  if (SUCCEEDED(coCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, reinterpret_cast<void**>(&created)))) {
    desktopManager_ = created;  // kept for the life of the process
  }
  return desktopManager_;
}

HRESULT Win32Platform::IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) {
  if (onCurrentDesktop == nullptr) return E_INVALIDARG;
  auto* manager = static_cast<::IVirtualDesktopManager*>(desktopManager());
  if (manager == nullptr) {
    *onCurrentDesktop = TRUE;
    return S_OK;
  }
  ::BOOL on = TRUE;
  const ::HRESULT result = manager->IsWindowOnCurrentVirtualDesktop(reinterpret_cast<::HWND>(hwnd), &on);
  if (SUCCEEDED(result)) *onCurrentDesktop = on;
  return result;
}

HRESULT Win32Platform::GetWindowDesktopId(HWND hwnd, GUID* desktopId) {
  if (desktopId == nullptr) return E_INVALIDARG;
  auto* manager = static_cast<::IVirtualDesktopManager*>(desktopManager());
  if (manager == nullptr) return E_NOTIMPL;
  return manager->GetWindowDesktopId(reinterpret_cast<::HWND>(hwnd), reinterpret_cast<::GUID*>(desktopId));
}

}  // namespace tessellor::win32
