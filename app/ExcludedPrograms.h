// The excluded-programs list of the main dialog: "ADD" and "Remove selected".
#pragma once

#include "platform/Platform.h"

namespace tessellor {

// "ADD": appends the typed name to the excluded-programs list when its extension is "exe".
void addExcludedProgram(Platform& platform, HWND dialog);
// "Remove selected": deletes the selected name, or says that nothing is selected.
void removeSelectedProgram(Platform& platform, HWND dialog);

// True when the name's second dot-separated piece is exactly "exe" (runs of dots separate, leading
// dots are skipped, further pieces are not looked at).
bool hasExeExtension(const char* name);

}  // namespace tessellor
