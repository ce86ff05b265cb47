// tessellor-traydemo.exe: the least a program of Tessellor's kind does before its icon shows, a
// hidden dialog and one notification icon, so that the start-up benchmark has a floor to compare
// tessellor.exe with. WM_CLOSE ends it.
//
//   tessellor-traydemo.exe      dialog class "#32770", title "TrayDemo", icon ID 1
#include <windows.h>
// shellapi needs windows.h first.
#include <shellapi.h>

namespace {

constexpr UINT kIconId = 1;
constexpr UINT kIconMessage = WM_APP + 1;

void setIcon(HWND dialog, DWORD message) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = dialog;
  icon.uID = kIconId;
  icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  icon.uCallbackMessage = kIconMessage;
  icon.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  lstrcpynA(icon.szTip, "TrayDemo", sizeof icon.szTip);
  Shell_NotifyIconA(message, &icon);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, "TrayDemo");
      setIcon(dialog, NIM_ADD);
      return TRUE;
    case WM_CLOSE:
      setIcon(dialog, NIM_DELETE);
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty dialog template: no controls, no caption text of its own, hidden.
struct alignas(4) Template {
  DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 200, 100};
  WORD menu = 0;
  WORD windowClass = 0;
  WORD caption = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  static const Template empty{};
  HWND dialog = CreateDialogIndirectParamA(instance, &empty.header, nullptr, dialogProc, 0);
  if (dialog == nullptr) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return 0;
}
