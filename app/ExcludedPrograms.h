// The excluded list of the main dialog: "ADD" and "Remove selected".
#pragma once

#include "platform/Platform.h"

namespace tessellor {

// "ADD": appends the typed entry, as typed, to the excluded list when isAddableEntry takes it.
void addExcludedProgram(Platform& platform, HWND dialog);
// "Remove selected": deletes the selected name, or says that nothing is selected.
void removeSelectedProgram(Platform& platform, HWND dialog);

// True when the name's second dot-separated piece is exactly "exe" (runs of dots separate, leading
// dots are skipped, further pieces are not looked at).
bool hasExeExtension(const char* name);

// True for a `title:` or `class:` rule with a character besides blanks after its prefix, and for a
// program name with the extension "exe"; never for text with a line end in it.
bool isAddableEntry(const char* text);

}  // namespace tessellor
