// The keyboard's lines: what AltGr types on the user's layout, the user typing keys into the Keys
// dialog's hotkey controls; and any file of the simulated file system.
#include <cctype>

#include "app/keys/KeysDialog.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

std::optional<HotkeyKey> keysArgument(Args& a, std::size_t i) {
  const auto text = a.string(i);
  if (!text) return std::nullopt;
  const std::optional<HotkeyKey> keys = parseKeyName(*text);
  if (!keys || !keys->isSet()) {
    a.fail("no keys of that name: " + quote(*text));
    return std::nullopt;
  }
  return keys;
}

namespace {

// `altgr KEY "TEXT"`: KEY is a letter A to Z or a digit 0 to 9.
void altgr(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto key = a.word(0);
  const auto text = a.string(1);
  if (a.failed()) return;
  const bool letterOrDigit = key->size() == 1 && (((*key)[0] >= 'A' && (*key)[0] <= 'Z') ||
                                                  std::isdigit(static_cast<unsigned char>((*key)[0])));
  if (!letterOrDigit) return void(a.fail("a key is a letter A-Z or a digit 0-9, not " + *key));
  r.desktop().setAltGr(static_cast<UINT>((*key)[0]), *text);
}

// `set-hotkey ID "KEYS"` or `set-hotkey ID none`: the user types the keys into the hotkey control
// of the open dialog (or clears it), which tells its dialog with EN_CHANGE.
void setHotkey(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const HWND dialog = r.running() ? r.desktop().topDialog() : nullptr;
  if (dialog == nullptr) return void(a.fail(r.ended() ? "the program has ended" : "the program has not started"));
  const auto id = a.number(0);
  if (!id) return;
  std::optional<HotkeyKey> keys = NO_KEY;
  if (!a.isWord(1, "none")) keys = keysArgument(a, 1);
  if (!keys) return;
  const std::optional<bool> taken = r.desktop().typeHotkey(dialog, *id, hotkeyControlWord(*keys));
  if (!taken) return void(a.fail("the open dialog has no hotkey control " + std::to_string(*id)));
  if (!*taken) return;  // the control left the keys to its dialog: nothing changed
  const HWND control = r.desktop().GetDlgItem(dialog, *id);
  r.desktop().postMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(*id), EN_CHANGE),
                          reinterpret_cast<LPARAM>(control));
}

// `file "PATH" "TEXT"` writes the file (its folder is made), `file "PATH" none` deletes it.
void file(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto path = a.string(0);
  if (!path) return;
  if (a.isWord(1, "none")) {
    r.desktop().files().remove(*path);
  } else if (const auto text = a.string(1)) {
    r.desktop().files().put(*path, *text);
  }
}

constexpr Command kCommands[] = {
    {"altgr", altgr},
    {"set-hotkey", setHotkey},
    {"file", file},
};

}  // namespace

std::span<const Command> keyCommands() { return kCommands; }

}  // namespace tessellor::sim
