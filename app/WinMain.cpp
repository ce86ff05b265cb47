#include "app/WinMain.h"

#include "app/MainDialog.h"
#include "resources/resource_ids.h"

namespace tessellor {

int WinMain(Platform& platform, const HookMessages& messages, HINSTANCE instance, HINSTANCE /*previous*/,
            char* /*commandLine*/, int /*showCommand*/) {
  Shell shell(platform, messages);
  shell.appInstance = instance;
  // The whole start-up runs inside this call, on WM_INITDIALOG; the tray icon may come before it.
  makingMainDialog(&shell);
  shell.mainDialog = platform.CreateDialogParamA(instance, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, mainDialogProc,
                                                 reinterpret_cast<LPARAM>(&shell));
  makingMainDialog(nullptr);
  // No ShowWindow: the program lives in the tray until the user opens the dialog.
  platform.UpdateWindow(shell.mainDialog);

  MSG msg{};
  while (platform.GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!platform.IsDialogMessageA(shell.mainDialog, &msg)) {
      platform.TranslateMessage(&msg);
      platform.DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace tessellor
