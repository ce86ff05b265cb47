// AltGr is reported as Ctrl+Alt: a Ctrl+Alt hotkey takes the character that AltGr types with its key.
#pragma once

#include <string>

#include "app/keys/KeyName.h"
#include "platform/Platform.h"

namespace tessellor {

// What AltGr (with Shift, when the key has it) types with the key on the first of the installed
// keyboard layouts that types anything with it, in the ANSI code page; empty when none does, or when
// the key lacks Ctrl or Alt. Asks without changing the keyboard's state.
std::string altGrText(Platform& platform, HotkeyKey key);

// "AltGr+B", "AltGr+Shift+B": the keys the user presses to type it.
std::string altGrKeysName(HotkeyKey key);

}  // namespace tessellor
