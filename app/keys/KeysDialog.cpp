#include "app/keys/KeysDialog.h"

#include <algorithm>

#include "app/Text.h"
#include "app/TrayBalloon.h"
#include "app/keys/AltGr.h"
#include "app/keys/KeysFile.h"
#include "resources/resource_ids.h"

namespace tessellor {

namespace {

// Registered only for the moment of asking whether a key is free; the shell's ids stop below it.
constexpr int PROBE_HOTKEY_ID = static_cast<int>(HOTKEY_COUNT);

struct Modifier {
  UINT mod;
  WORD hotkeyFlag;
};
constexpr Modifier kModifiers[] = {{MOD_CONTROL, HOTKEYF_CONTROL}, {MOD_ALT, HOTKEYF_ALT}, {MOD_SHIFT, HOTKEYF_SHIFT}};

// Keys of the extended part of the keyboard; without HOTKEYF_EXT a hotkey control names them as
// the number pad's keys (Num 4 for Left).
bool isExtendedKey(UINT vk) {
  return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E || vk == 0x6F || vk == 0x90 || vk == 0x5D ||
         vk == 0x2C || vk == 0x03;
}

std::optional<std::size_t> rowOf(WORD id, int first) {
  if (id < first || id >= first + static_cast<int>(HOTKEY_COUNT)) return std::nullopt;
  return static_cast<std::size_t>(id - first);
}

std::optional<std::size_t> otherRowWith(const HotkeyKeys& keys, std::size_t id) {
  for (std::size_t other = 0; other < HOTKEY_COUNT; ++other) {
    if (other != id && keys[other] == keys[id]) return other;
  }
  return std::nullopt;
}

bool heldByShell(const HotkeyState& s, HotkeyKey key) {
  return std::find(s.registered.begin(), s.registered.end(), key) != s.registered.end();
}

bool heldElsewhere(Shell& shell, HWND window, const HotkeyKeys& keys, std::size_t id) {
  const HotkeyState& s = shell.keys;
  const HotkeyKey key = keys[id];
  if (heldByShell(s, key)) return false;  // the program's own, should it hold keys meanwhile
  // The shell's own failed try: the simulated desktop refuses some keys by id, not by key.
  if (key == s.chosen[id] && s.taken.test(id)) return true;
  Platform& p = shell.platform;
  if (p.RegisterHotKey(window, PROBE_HOTKEY_ID, key.modifiers | MOD_NOREPEAT, key.virtualKey) == FALSE) return true;
  p.UnregisterHotKey(window, PROBE_HOTKEY_ID);
  return false;
}

void showKey(Platform& p, HWND dialog, std::size_t id, HotkeyKey key) {
  p.SendDlgItemMessageA(dialog, IDC_KEY_FIRST + static_cast<int>(id), HKM_SETHOTKEY, hotkeyControlWord(key), 0);
}

void showMarks(Platform& p, HWND dialog, KeysSession& s) {
  for (std::size_t id = 0; id < HOTKEY_COUNT; ++id) {
    const std::string mark = keyMark(*s.shell, dialog, s.keys, id);
    p.SetDlgItemTextA(dialog, IDC_KEY_MARK_FIRST + static_cast<int>(id), mark.c_str());
  }
}

void init(Platform& p, HWND dialog, KeysSession& s) {
  // The keys pressed in the boxes must reach them, not start what they start now.
  s.shell->keys.keysDialogOpen = true;
  unregisterHotkeys(*s.shell);
  s.keys = s.shell->keys.chosen;
  for (const Hotkey& row : hotkeys) {
    const auto id = static_cast<std::size_t>(row.id);
    p.SetDlgItemTextA(dialog, IDC_KEY_LABEL_FIRST + row.id, row.label);
    // A key typed without Ctrl or Alt would type in every program: it gets Ctrl.
    p.SendDlgItemMessageA(dialog, IDC_KEY_FIRST + row.id, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL);
    showKey(p, dialog, id, s.keys[id]);
  }
  showMarks(p, dialog, s);
}

// The first reason the keys cannot be taken as they are, or "".
std::string refusal(const HotkeyKeys& keys) {
  for (const Hotkey& row : hotkeys) {
    const auto id = static_cast<std::size_t>(row.id);
    const HotkeyKey key = keys[id];
    if (!key.isSet()) continue;
    if (!isUsableKey(key)) {
      return concat({keyName(key), " cannot be a key of Tessellor's: it needs Ctrl or Alt. Choose another key for \"",
                     row.label, "\", or None."});
    }
    if (const auto other = otherRowWith(keys, id)) {
      return concat({keyName(key), " is chosen for both \"", row.label, "\" and \"", hotkeys[*other].label,
                     "\". Give each its own key, or None."});
    }
  }
  return {};
}

void confirm(Platform& p, HWND dialog, KeysSession& s) {
  if (const std::string why = refusal(s.keys); !why.empty()) {
    p.MessageBoxA(dialog, why.c_str(), "Warning", MB_OK);
    return;
  }
  Shell& shell = *s.shell;
  shell.keys.keysDialogOpen = false;
  chooseKeys(shell, s.keys);
  if (!saveKeys(p, s.keys)) {
    const std::string text =
        concat({"The keys could not be saved to ", keysFilePath(p), ". They hold until Tessellor ends."});
    showTrayBalloon(shell, "Tessellor", text.c_str());
  }
  p.EndDialog(dialog, IDOK);
}

void cancel(Platform& p, HWND dialog, KeysSession& s) {
  s.shell->keys.keysDialogOpen = false;
  registerHotkeys(*s.shell);
  p.EndDialog(dialog, IDCANCEL);
}

void command(Platform& p, HWND dialog, KeysSession& s, WORD id, WORD code) {
  if (const auto row = rowOf(id, IDC_KEY_FIRST); row && code == EN_CHANGE) {
    s.keys[*row] = keyOfHotkeyControlWord(static_cast<WORD>(p.SendDlgItemMessageA(dialog, id, HKM_GETHOTKEY, 0, 0)));
    showMarks(p, dialog, s);
  } else if (const auto none = rowOf(id, IDC_KEY_NONE_FIRST)) {
    s.keys[*none] = NO_KEY;
    showKey(p, dialog, *none, NO_KEY);
    showMarks(p, dialog, s);
  } else if (id == IDC_KEYS_DEFAULTS) {
    s.keys = defaultKeys();
    for (std::size_t each = 0; each < HOTKEY_COUNT; ++each) showKey(p, dialog, each, s.keys[each]);
    showMarks(p, dialog, s);
  } else if (id == IDC_KEYS_OK) {
    confirm(p, dialog, s);
  } else if (id == IDC_KEYS_CANCEL) {
    cancel(p, dialog, s);
  }
}

}  // namespace

WORD hotkeyControlWord(HotkeyKey key) {
  if (!key.isSet()) return 0;
  WORD flags = isExtendedKey(key.virtualKey) ? HOTKEYF_EXT : 0;
  for (const Modifier& m : kModifiers) {
    if ((key.modifiers & m.mod) != 0) flags = static_cast<WORD>(flags | m.hotkeyFlag);
  }
  return static_cast<WORD>((key.virtualKey & 0xFF) | (flags << 8));
}

HotkeyKey keyOfHotkeyControlWord(WORD word) {
  const UINT vk = word & 0xFFu;
  if (vk == 0) return NO_KEY;
  const auto flags = static_cast<WORD>(word >> 8);
  HotkeyKey key{0, vk};
  for (const Modifier& m : kModifiers) {
    if ((flags & m.hotkeyFlag) != 0) key.modifiers |= m.mod;
  }
  return key;
}

[[gnu::cold]] std::string keyMark(Shell& shell, HWND window, const HotkeyKeys& keys, std::size_t id) {
  const HotkeyKey key = keys[id];
  if (!key.isSet()) return {};
  if (!isUsableKey(key)) return "needs Ctrl or Alt";
  if (const auto other = otherRowWith(keys, id)) return concat({"also: ", hotkeys[*other].label});
  if (const std::string typed = altGrText(shell.platform, key); !typed.empty()) {
    return concat({"left to typing: ", altGrKeysName(key), " types ", typed});
  }
  if (heldElsewhere(shell, window, keys, id)) return "used by another program";
  return {};
}

[[gnu::cold]] INT_PTR keysDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    platform.SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    init(platform, dialog, *reinterpret_cast<KeysSession*>(lParam));
    return TRUE;
  }
  auto* session = reinterpret_cast<KeysSession*>(platform.GetWindowLongPtrA(dialog, DWLP_USER));
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_CLOSE:
      cancel(platform, dialog, *session);
      return TRUE;
    case WM_COMMAND:
      command(platform, dialog, *session, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tessellor
