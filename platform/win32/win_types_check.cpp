// The program's copies of Win32 values, held against the real headers: a copy that drifts fails the
// Windows build instead of misbehaving on Windows. Nothing here is called.
//
// <windows.h> spells most of these names as macros, which would rewrite ours once it is included,
// so our values are taken first, under prefixed names, and compared after it.
#include <type_traits>
#include <utility>

#include "platform/win_types.h"

// clang-format off
#define TESSELLOR_WIN32_CONSTANTS(X) \
  X(TRUE) X(FALSE) X(NOTIFYICONDATAA_V1_SIZE) X(NOTIFYICONDATAA_V2_SIZE) X(NOTIFYICONDATAA_V3_SIZE) \
  X(WM_NULL) X(WM_CLOSE) X(WM_QUIT) X(WM_DISPLAYCHANGE) X(WM_INITDIALOG) X(WM_COMMAND) X(WM_HOTKEY) \
  X(WM_LBUTTONDOWN) X(WM_LBUTTONDBLCLK) X(WM_RBUTTONDOWN) X(WM_RBUTTONUP) X(WM_APP) X(BN_CLICKED) \
  X(EN_CHANGE) X(LBN_SELCHANGE) X(BM_GETCHECK) X(BM_SETCHECK) X(BST_UNCHECKED) X(BST_CHECKED) \
  X(LB_ADDSTRING) X(LB_DELETESTRING) X(LB_RESETCONTENT) X(LB_SETCURSEL) X(LB_GETCURSEL) X(LB_GETTEXT) \
  X(LB_GETTEXTLEN) X(LB_GETCOUNT) X(LB_FINDSTRINGEXACT) X(LB_ERR) X(DWLP_MSGRESULT) X(DWLP_USER) \
  X(SW_HIDE) X(SW_SHOWNORMAL) X(SW_SHOWMINIMIZED) X(SW_MAXIMIZE) X(SW_SHOW) X(SW_MINIMIZE) \
  X(SW_RESTORE) X(SWP_NOSIZE) X(SWP_NOMOVE) X(SWP_NOZORDER) X(SWP_NOACTIVATE) X(SM_CXMIN) X(SM_CYMIN) \
  X(SM_CXMAXIMIZED) X(SM_CYMAXIMIZED) X(ERROR) X(NULLREGION) X(SIMPLEREGION) X(COMPLEXREGION) X(MB_OK) \
  X(IDOK) X(IDCANCEL) X(NIM_ADD) X(NIM_MODIFY) X(NIM_DELETE) X(NIF_MESSAGE) X(NIF_ICON) X(NIF_TIP) \
  X(MF_STRING) X(MF_SEPARATOR) X(TPM_RIGHTALIGN) X(MOD_ALT) X(MOD_CONTROL) X(VK_BACK) X(VK_LEFT) \
  X(VK_UP) X(VK_RIGHT) X(VK_DOWN) X(VK_F10) X(REG_SZ) X(ERROR_SUCCESS) X(PROCESS_VM_READ) \
  X(PROCESS_QUERY_INFORMATION) X(PROCESS_QUERY_LIMITED_INFORMATION) X(MAX_PATH) X(WM_QUERYENDSESSION) \
  X(WM_ENDSESSION) X(NIF_INFO) X(S_OK) X(E_INVALIDARG) X(CSIDL_LOCAL_APPDATA) X(SHGFP_TYPE_CURRENT) \
  X(ERROR_FILE_NOT_FOUND) X(ERROR_PATH_NOT_FOUND) X(ERROR_ACCESS_DENIED) X(ERROR_INVALID_HANDLE) \
  X(ERROR_MORE_DATA) X(ERROR_ALREADY_EXISTS) X(MSGFLT_ALLOW) X(KEY_QUERY_VALUE) X(KEY_SET_VALUE)
// clang-format on

// Token pasting keeps the name from being expanded, so the prefixed copy is ours...
#define TESSELLOR_TAKE_OURS(name) constexpr auto ours_##name = tessellor::name;
namespace {
TESSELLOR_WIN32_CONSTANTS(TESSELLOR_TAKE_OURS)
}  // namespace

#include <windows.h>
// psapi and shellapi need windows.h first.
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

// ...while the bare name, expanded, is now the system's (a macro, or an enumerator that + makes a number).
#define TESSELLOR_CHECK(name) static_assert(std::cmp_equal(ours_##name, +(name)), #name " differs from <windows.h>");
TESSELLOR_WIN32_CONSTANTS(TESSELLOR_CHECK)

// Types and records cross the platform door by reinterpret_cast or memcpy: same size and signedness.
#define TESSELLOR_CHECK_SCALAR(type)                                                  \
  static_assert(sizeof(tessellor::type) == sizeof(::type), #type " differs in size"); \
  static_assert(std::is_signed_v<tessellor::type> == std::is_signed_v<::type>, #type " differs in signedness");
TESSELLOR_CHECK_SCALAR(BOOL)
TESSELLOR_CHECK_SCALAR(BYTE)
TESSELLOR_CHECK_SCALAR(WORD)
TESSELLOR_CHECK_SCALAR(DWORD)
TESSELLOR_CHECK_SCALAR(LONG)
TESSELLOR_CHECK_SCALAR(UINT)
TESSELLOR_CHECK_SCALAR(UINT_PTR)
TESSELLOR_CHECK_SCALAR(INT_PTR)
TESSELLOR_CHECK_SCALAR(LONG_PTR)
TESSELLOR_CHECK_SCALAR(WPARAM)
TESSELLOR_CHECK_SCALAR(LPARAM)
TESSELLOR_CHECK_SCALAR(LRESULT)
TESSELLOR_CHECK_SCALAR(HRESULT)
TESSELLOR_CHECK_SCALAR(REGSAM)

#define TESSELLOR_CHECK_RECORD(type) static_assert(sizeof(tessellor::type) == sizeof(::type), #type " differs in size");
TESSELLOR_CHECK_RECORD(POINT)
TESSELLOR_CHECK_RECORD(RECT)
TESSELLOR_CHECK_RECORD(WINDOWPLACEMENT)
TESSELLOR_CHECK_RECORD(MSG)
TESSELLOR_CHECK_RECORD(RGNDATAHEADER)
TESSELLOR_CHECK_RECORD(RGNDATA)
TESSELLOR_CHECK_RECORD(GUID)
TESSELLOR_CHECK_RECORD(NOTIFYICONDATAA)
TESSELLOR_CHECK_RECORD(HANDLE)
TESSELLOR_CHECK_RECORD(HWND)
TESSELLOR_CHECK_RECORD(HKEY)
