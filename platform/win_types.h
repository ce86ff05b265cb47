// Portable spellings of the Win32 types and constants the program uses, with the platform's values.
// Only platform/win32/ sees the real <windows.h>; everything else uses these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessellor {

// Scalar types, sized as on 64-bit Windows.
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPCSTR = const char*;
using HRESULT = LONG;
using REGSAM = DWORD;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Opaque handles.
struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HMENU__;
struct HRGN__;
struct HKEY__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE__*;
using HICON = HICON__*;
using HMENU = HMENU__*;
using HRGN = HRGN__*;
using HKEY = HKEY__*;
using HANDLE = void*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
struct HKL__;
using HKL = HKL__*;      // a keyboard layout
using WCHAR = char16_t;  // a UTF-16 code unit
using HRESULT = LONG;

inline HWND handleFromValue(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }
inline std::uintptr_t handleValue(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

inline LPCSTR MAKEINTRESOURCE(int id) {
  return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }
inline int resourceId(LPCSTR name) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(name)); }

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
  return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

// Records.
struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
  friend bool operator==(const RECT&, const RECT&) = default;
};

struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct RGNDATAHEADER {
  DWORD dwSize;
  DWORD iType;
  DWORD nCount;
  DWORD nRgnSize;
  RECT rcBound;
};

struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
};

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct TOKEN_ELEVATION {
  DWORD TokenIsElevated;
};

// A security identifier is read only through GetSidSubAuthorityCount and GetSidSubAuthority.
using PSID = void*;
struct SID_AND_ATTRIBUTES {
  PSID Sid;
  DWORD Attributes;
};
// TokenIntegrityLevel: the label's SID points into the same buffer, after the record.
struct TOKEN_MANDATORY_LABEL {
  SID_AND_ATTRIBUTES Label;
};

// The tray icon record in its full layout. cbSize says how much of it the caller fills in:
// NOTIFYICONDATAA_V1_SIZE covers up to the first 64 characters of szTip, NOTIFYICONDATAA_V2_SIZE
// adds the balloon fields.
struct NOTIFYICONDATAA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  char szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  char szInfo[256];
  union {
    UINT uTimeout;
    UINT uVersion;
  };
  char szInfoTitle[64];
  DWORD dwInfoFlags;
  GUID guidItem;
  HICON hBalloonIcon;
};
// The common controls' window classes to register: the Keys dialog's hotkey controls and the Windows
// dialog's list view.
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x1;
inline constexpr DWORD ICC_HOTKEY_CLASS = 0x40;

inline constexpr DWORD NOTIFYICONDATAA_V1_SIZE = offsetof(NOTIFYICONDATAA, szTip) + 64;
inline constexpr DWORD NOTIFYICONDATAA_V2_SIZE = offsetof(NOTIFYICONDATAA, guidItem);
inline constexpr DWORD NOTIFYICONDATAA_V3_SIZE = offsetof(NOTIFYICONDATAA, hBalloonIcon);

class Platform;
// A dialog procedure also receives the platform that calls it: the program reaches the system only
// through that object, and a procedure has nothing else to find it by.
using DLGPROC = INT_PTR (*)(Platform&, HWND, UINT, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

// Window messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_DISPLAYCHANGE = 0x007E;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_HOTKEY = 0x0312;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_APP = 0x8000;

// Control notifications and messages.
inline constexpr WORD BN_CLICKED = 0;
inline constexpr WORD EN_CHANGE = 0x0300;
inline constexpr WORD EN_UPDATE = 0x0400;
inline constexpr WORD LBN_SELCHANGE = 1;
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr LRESULT BST_UNCHECKED = 0;
inline constexpr LRESULT BST_CHECKED = 1;
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr LRESULT LB_ERR = -1;

// Window-long slots of a dialog (64-bit offsets).
inline constexpr int DWLP_MSGRESULT = 0;
inline constexpr int DWLP_USER = 16;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;

// SetWindowPos.
inline const HWND HWND_TOP = nullptr;
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_NOCOPYBITS = 0x0100;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

// SetWindowPlacement.
inline constexpr UINT WPF_ASYNCWINDOWPLACEMENT = 0x0004;

// System metrics.
inline constexpr int SM_CXMIN = 28;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int SM_CYMIN = 29;
inline constexpr int SM_CXMAXIMIZED = 61;
inline constexpr int SM_CYMAXIMIZED = 62;

// Regions.
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

// Message boxes.
inline constexpr UINT MB_OK = 0;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Tray icon and menus.
inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_MODIFY = 1;
inline constexpr DWORD NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 1;
inline constexpr UINT NIF_ICON = 2;
inline constexpr UINT NIF_TIP = 4;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;

// Hotkeys.
inline constexpr UINT MOD_ALT = 1;
inline constexpr UINT MOD_CONTROL = 2;
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_F10 = 0x79;

// Registry.
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));
inline constexpr DWORD REG_SZ = 1;
inline constexpr LONG ERROR_SUCCESS = 0;

// Processes.
inline constexpr DWORD PROCESS_VM_READ = 0x0010;
inline constexpr DWORD PROCESS_QUERY_INFORMATION = 0x0400;
inline constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;

inline constexpr int MAX_PATH = 260;

// The user's session: known folders, errors, the end of the session, balloons, message filters.
inline constexpr UINT WM_QUERYENDSESSION = 0x0011;
inline constexpr UINT WM_ENDSESSION = 0x0016;
inline constexpr UINT NIF_INFO = 0x10;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr int CSIDL_LOCAL_APPDATA = 0x001c;
inline constexpr DWORD SHGFP_TYPE_CURRENT = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD MSGFLT_ALLOW = 1;
// 64-bit Windows sign-extends the predefined keys; platform/win32 translates these values.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;

// Other copies of the program, the Restart Manager and the command line's message box.
inline constexpr LPARAM ENDSESSION_CLOSEAPP = 0x1;
inline constexpr DWORD RESTART_NO_CRASH = 1;
inline constexpr DWORD RESTART_NO_HANG = 2;
inline constexpr DWORD RESTART_NO_REBOOT = 8;
inline constexpr DWORD SYNCHRONIZE = 0x00100000;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

// Monitors and the work area.
inline constexpr DWORD MONITOR_DEFAULTTONULL = 0;
inline constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

// Scale per monitor.
inline constexpr UINT USER_DEFAULT_SCREEN_DPI = 96;
inline constexpr int MDT_EFFECTIVE_DPI = 0;
inline constexpr DWORD MONITORINFOF_PRIMARY = 1;
inline constexpr UINT SPI_SETWORKAREA = 0x002F;
inline constexpr UINT SPI_GETWORKAREA = 0x0030;

// What the shell tells of the user's state (SHQueryUserNotificationState).
using QUERY_USER_NOTIFICATION_STATE = int;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_NOT_PRESENT = 1;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_BUSY = 2;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_RUNNING_D3D_FULL_SCREEN = 3;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_PRESENTATION_MODE = 4;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_ACCEPTS_NOTIFICATIONS = 5;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_QUIET_TIME = 6;
inline constexpr QUERY_USER_NOTIFICATION_STATE QUNS_APP = 7;

// Kinds of windows: owner, styles, the desktop window manager's view of them.
inline constexpr UINT GW_OWNER = 4;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr LONG_PTR WS_POPUP = 0x80000000;
inline constexpr LONG_PTR WS_MINIMIZE = 0x20000000;
inline constexpr LONG_PTR WS_VISIBLE = 0x10000000;
inline constexpr LONG_PTR WS_MAXIMIZE = 0x01000000;
inline constexpr LONG_PTR WS_CAPTION = 0x00C00000;
inline constexpr LONG_PTR WS_SYSMENU = 0x00080000;
inline constexpr LONG_PTR WS_THICKFRAME = 0x00040000;
inline constexpr LONG_PTR WS_MAXIMIZEBOX = 0x00010000;
inline constexpr LONG_PTR WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr LONG_PTR WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr LONG_PTR WS_EX_APPWINDOW = 0x00040000;
inline constexpr LONG_PTR WS_EX_NOACTIVATE = 0x08000000;
inline constexpr DWORD DWMWA_EXTENDED_FRAME_BOUNDS = 9;
inline constexpr DWORD DWMWA_CLOAKED = 14;
inline constexpr DWORD DWM_CLOAKED_SHELL = 0x2;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);

// Process tokens and elevation.
inline constexpr DWORD TOKEN_QUERY = 0x0008;
inline constexpr int TokenElevation = 20;
inline constexpr int TokenIntegrityLevel = 25;
inline constexpr int TokenUIAccess = 26;
// The integrity level is the last subauthority of the label's SID.
inline constexpr DWORD SECURITY_MANDATORY_LOW_RID = 0x1000;
inline constexpr DWORD SECURITY_MANDATORY_MEDIUM_RID = 0x2000;
inline constexpr DWORD SECURITY_MANDATORY_HIGH_RID = 0x3000;
inline constexpr DWORD SECURITY_MANDATORY_SYSTEM_RID = 0x4000;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

// Keys the user chooses: modifiers, modifier keys, hotkey controls, keyboard layouts, text.
inline constexpr UINT MOD_SHIFT = 4;
inline constexpr UINT MOD_NOREPEAT = 0x4000;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_LWIN = 0x5B;
inline constexpr UINT VK_RWIN = 0x5C;
inline constexpr UINT VK_LSHIFT = 0xA0;
inline constexpr UINT VK_RMENU = 0xA5;
inline constexpr UINT HKM_SETHOTKEY = 0x0401;
inline constexpr UINT HKM_GETHOTKEY = 0x0402;
inline constexpr UINT HKM_SETRULES = 0x0403;
inline constexpr WORD HOTKEYF_SHIFT = 0x01;
inline constexpr WORD HOTKEYF_CONTROL = 0x02;
inline constexpr WORD HOTKEYF_ALT = 0x04;
inline constexpr WORD HOTKEYF_EXT = 0x08;
inline constexpr WORD HKCOMB_NONE = 0x0001;
inline constexpr WORD HKCOMB_S = 0x0002;
inline constexpr WORD HKCOMB_C = 0x0004;
inline constexpr WORD HKCOMB_A = 0x0008;
inline constexpr WORD HKCOMB_SC = 0x0010;
inline constexpr WORD HKCOMB_SA = 0x0020;
inline constexpr WORD HKCOMB_CA = 0x0040;
inline constexpr WORD HKCOMB_SCA = 0x0080;
inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
// Knowing a window again after the program ended, and the tray balloon that offers it.
inline constexpr UINT NIN_BALLOONUSERCLICK = 0x0405;  // WM_USER + 5
inline constexpr int MAX_CLASS_NAME = 256;            // the longest window class name

// The list view of the "Windows" dialog, and the clipboard its Copy button fills.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_INSERTITEMA = LVM_FIRST + 7;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_INSERTCOLUMNA = LVM_FIRST + 27;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETITEMTEXTA = LVM_FIRST + 45;
inline constexpr UINT LVM_SETITEMTEXTA = LVM_FIRST + 46;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;
struct LVITEMA {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  char* pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
  int iGroupId;
  UINT cColumns;
  UINT* puColumns;
  int* piColFmt;
  int iGroup;
};
struct LVCOLUMNA {
  UINT mask;
  int fmt;
  int cx;
  char* pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
  int cxMin;
  int cxDefault;
  int cxIdeal;
};
using HGLOBAL = HANDLE;
inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;

}  // namespace tessellor
