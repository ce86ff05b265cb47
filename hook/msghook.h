// The hook library's interface: it reports other programs' window events to one window by posting
// the registered messages "UWM_SIZING", "UWM_CREATE", "UWM_CLOSE", "UWM_FOCUS", "UWM_MINMAX",
// "UWM_SYSMENU", and "UWM_MOVED" for a window moved outside a move-size loop once it has settled.
#pragma once

#include <windows.h>

#ifdef MSGHOOK_BUILDING
#define MSGHOOK_API extern "C" __declspec(dllexport)
#else
#define MSGHOOK_API extern "C" __declspec(dllimport)
#endif

// Starts reporting to `target`. Call from the thread that runs the target's message loop.
MSGHOOK_API BOOL setMyHook(HWND target);
// Stops reporting.
MSGHOOK_API BOOL clearMyHook(HWND target);
