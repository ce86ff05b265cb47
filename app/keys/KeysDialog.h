// The Keys dialog (template 110): one row per action, with a hotkey control, a "None" button and a
// mark of what stands in the way of its key; "Defaults" gives every action today's key back, OK
// takes the keys, registers them as the layout mode wants and saves them to keys.dat. While it is
// open no hotkey is registered, so that the keys pressed in its boxes reach them; Cancel and the
// close box register the keys of before again.
#pragma once

#include <string>

#include "app/keys/Hotkeys.h"

namespace tessellor {

// What the dialog edits while it is open; the caller owns it for the length of the modal dialog.
struct KeysSession {
  Shell* shell = nullptr;
  HotkeyKeys keys{};
};

// The procedure of the modal Keys dialog; its init param is a KeysSession.
INT_PTR keysDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A key as a hotkey control holds it (HKM_SETHOTKEY, HKM_GETHOTKEY: the virtual key in the low byte,
// HOTKEYF_ flags in the high one), and back.
WORD hotkeyControlWord(HotkeyKey key);
HotkeyKey keyOfHotkeyControlWord(WORD word);

// What stands in the way of the key of row id among these keys, or "" when nothing does: it needs
// Ctrl or Alt, another row has it, AltGr types with it, or another program holds it. Keys that the
// shell holds now count as free. Asks the system by registering the key for a moment with window.
std::string keyMark(Shell& shell, HWND window, const HotkeyKeys& keys, std::size_t id);

}  // namespace tessellor
