// Functions of system libraries found at run time: a library the program imports is loaded before
// its first line runs, and so before its tray icon shows; one found at its first use is not.
#pragma once

#include <windows.h>

namespace tessellor::win32 {

// Null when the library or the function is missing. With `load`, the library is loaded from the
// system folder only (a DLL of that name beside the program or in the working directory would
// otherwise come first); the manifest's side-by-side redirection still applies. Without it, only a
// library loaded already is looked in.
template <class Fn>
Fn systemFunction(const char* module, const char* name, bool load = true) {
  const ::HMODULE m =
      load ? ::LoadLibraryExA(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) : ::GetModuleHandleA(module);
  // Through void*: GetProcAddress's type is no function type the cast may pretend to match.
  return m != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name))) : nullptr;
}

}  // namespace tessellor::win32
