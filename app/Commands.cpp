#include "app/Commands.h"

#include "app/DontTile.h"
#include "app/ExcludedPrograms.h"
#include "app/LayoutActivation.h"
#include "app/MainDialog.h"
#include "app/SavedFiles.h"
#include "app/WindowsDialog.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/KeysDialog.h"
#include "app/layouts/LayoutTable.h"
#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/BorderSettingsDialog.h"

namespace tessellor {

namespace {

void showDialog(Shell& shell, HWND dialog) {
  shell.platform.ShowWindow(dialog, SW_SHOW);
  showSelectedLayout(shell, dialog);
}

void openTrayMenu(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  HMENU menu = p.CreatePopupMenu();
  p.AppendMenuA(menu, MF_STRING, IDM_TRAY_SETTINGS, "Settings");
  p.AppendMenuA(menu, MF_STRING, IDM_TRAY_MINIMIZE, "Minimize");
  if (canPutWindowsBack(shell)) p.AppendMenuA(menu, MF_STRING, IDM_TRAY_PUT_BACK, "Put windows back");
  shell.dontTileProgram.clear();
  if (windowForTrayMenu(shell, shell.dontTileProgram) != nullptr) {
    p.AppendMenuA(menu, MF_STRING, IDM_TRAY_DONT_TILE, ("Don't tile " + shell.dontTileProgram).c_str());
  }
  p.AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  p.AppendMenuA(menu, MF_STRING, IDM_TRAY_CLOSE, "Close");
  POINT point{};
  p.GetCursorPos(&point);
  // Without this the menu would not close when the user clicks elsewhere.
  p.SetForegroundWindow(dialog);
  {
    const ModalLoop loop(shell);
    p.TrackPopupMenu(menu, TPM_RIGHTALIGN, point.x, point.y, 0, dialog, nullptr);
  }
  // Without a message after it, the next right click may find the menu's loop still about and the
  // menu flashes and closes at once.
  p.PostMessageA(dialog, WM_NULL, 0, 0);
  p.DestroyMenu(menu);
}

void followAutostartBox(Shell& shell, HWND dialog) {
  const LRESULT state = shell.platform.SendDlgItemMessageA(dialog, IDC_NO_AUTOSTART, BM_GETCHECK, 0, 0);
  if (state == BST_CHECKED) {
    disableAutostart(shell.platform);
  } else if (state == BST_UNCHECKED) {
    enableAutostart(shell.platform, shell.exePath);
  }
}

// The common controls' library is loaded by the first dialog that holds one of them, not at start.
void registerCommonControls(Platform& p, DWORD classes) {
  const INITCOMMONCONTROLSEX controls{sizeof controls, classes};
  p.InitCommonControlsEx(&controls);
}

}  // namespace

void runCommand(Shell& shell, HWND dialog, WORD id) {
  Platform& p = shell.platform;
  switch (id) {
    case IDC_OK:
      p.ShowWindow(shell.mainDialog, SW_HIDE);
      break;
    case IDC_CLOSE:
    case IDM_TRAY_CLOSE:
      quitApplication(shell, dialog);
      break;
    case IDM_TRAY_SETTINGS:
      showDialog(shell, dialog);
      p.UpdateWindow(dialog);
      break;
    case IDM_TRAY_MINIMIZE:
      p.ShowWindow(dialog, SW_HIDE);
      p.UpdateWindow(dialog);
      break;
    case IDM_TRAY_PUT_BACK:
      putWindowsBack(shell);
      break;
    case IDM_TRAY_DONT_TILE:
      if (!shell.dontTileProgram.empty()) excludeEntry(shell, shell.dontTileProgram);
      shell.dontTileProgram.clear();
      break;
    case IDC_GRID_LAYOUT:
      startGridLayout(shell, GridStart::ArrangeAlways);
      break;
    case IDC_DISABLE_LAYOUT:
      dropAllLayouts(shell);
      break;
    case IDC_ADD_EXE:
      addExcludedProgram(p, dialog);
      saveSettingsOnChange(shell, dialog);
      break;
    case IDC_REMOVE_EXE:
      removeSelectedProgram(p, dialog);
      saveSettingsOnChange(shell, dialog);
      break;
    case IDC_AUTO_ADD:
      saveSettingsOnChange(shell, dialog);
      break;
    case IDC_NO_AUTOSTART:
      followAutostartBox(shell, dialog);
      saveSettingsOnChange(shell, dialog);
      break;
    case IDC_BORDER_LAYOUT:
      startBorderLayout(shell);
      break;
    case IDC_BORDER_SETTINGS: {
      // The band sizes are pixels of the layout the keys would act on.
      const ActingOn acting(shell, layoutForKeys(shell));
      BorderSettingsSession session{&shell.borderWeights, &layoutArea(shell)};
      const ModalLoop loop(shell);
      p.DialogBoxParamA(shell.appInstance, MAKEINTRESOURCE(IDD_BORDER_SETTINGS), dialog, borderSettingsDialogProc,
                        reinterpret_cast<LPARAM>(&session));
      break;
    }
    case IDC_WINDOWS: {
      registerCommonControls(p, ICC_LISTVIEW_CLASSES);
      WindowsSession session{&shell, {}};
      const ModalLoop loop(shell);
      p.DialogBoxParamA(shell.appInstance, MAKEINTRESOURCE(IDD_WINDOWS), dialog, windowsDialogProc,
                        reinterpret_cast<LPARAM>(&session));
      break;
    }
    case IDC_KEYS: {
      registerCommonControls(p, ICC_HOTKEY_CLASS);
      KeysSession session{&shell, {}};
      const ModalLoop loop(shell);
      p.DialogBoxParamA(shell.appInstance, MAKEINTRESOURCE(IDD_KEYS), dialog, keysDialogProc,
                        reinterpret_cast<LPARAM>(&session));
      break;
    }
    default:
      break;
  }
}

void onTrayNotification(Shell& shell, HWND dialog, LPARAM mouseMessage) {
  const bool balloon = mouseMessage == NIN_BALLOONUSERCLICK;
  // A double click, or a click on the balloon that says how to go on, opens the dialog.
  if (mouseMessage == WM_LBUTTONDBLCLK || (balloon && shell.lastBalloon == Balloon::OpenDialog)) {
    showDialog(shell, dialog);
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    openTrayMenu(shell, dialog);
  } else if (balloon && shell.lastBalloon == Balloon::PutWindowsBack) {
    putWindowsBack(shell);
  }
}

}  // namespace tessellor
