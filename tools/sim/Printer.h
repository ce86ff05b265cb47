// The lines that the `print` commands write.
#pragma once

#include <ostream>
#include <string>

#include "app/Shell.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

// What `settings-file` and `workdir-settings-file` mean: the per-user file and the working
// directory's one.
inline constexpr const char* kSettingsFilePath = "C:\\Users\\user\\AppData\\Local\\Tessellor\\settings.dat";
inline constexpr const char* kWorkdirSettingsFilePath = "settings.dat";

// `L T R B`, as every line writes a rectangle.
std::string rectText(const RECT& r);

// `window NAME L T R B [minimized] [maximized] [hidden] [foreground]`, in creation order.
void printWindows(SimDesktop& desktop, std::ostream& out);
// `layout none`, or the border layout's weights, bounds, bands, centre and parked windows, or the
// grid's shape and windows.
void printLayout(SimDesktop& desktop, const Shell* shell, std::ostream& out);
// `why NAME REASON` for each living window of other programs, in creation order.
void printWhy(SimDesktop& desktop, Shell& shell, std::ostream& out);
// The lines `print layout` prints for one layout, or `layout none`.
void printOneLayout(SimDesktop& desktop, const RunningLayout* layout, std::ostream& out);
// The layout of that monitor on that desktop, or null (none there, or the monitor has gone).
const RunningLayout* layoutOfMonitor(const SimDesktop& desktop, const Shell* shell, const std::string& monitor,
                                     const std::string& desk);
// The main dialog: shown, status text, excluded programs, the two options.
void printDialog(SimDesktop& desktop, HWND dialog, std::ostream& out);
// The band sizes in the open border settings dialog's edit boxes, as their texts.
void printBorderSettings(SimDesktop& desktop, HWND dialog, std::ostream& out);
// `WORD Tessellor "DATA"` or `WORD none`: the per-user (`registry`) or the machine-wide
// (`machine-registry`) Run value.
void printRunValue(const char* word, const SimRegistry::RunKey& key, std::ostream& out);
// `WORD "BYTES"` or `WORD none`.
void printFile(const char* word, const char* path, SimDesktop& desktop, std::ostream& out);
// `balloon "TITLE" "TEXT"` a line, or `balloons none`.
void printBalloons(const SimDesktop& desktop, std::ostream& out);
// `visible NAME L T R B [cloaked]`, the visible bounds, in creation order.
void printVisible(const SimDesktop& desktop, std::ostream& out);
void printHotkeys(const SimDesktop& desktop, std::ostream& out);
// `timers ID ...`: the ids of the program's timers, in the order set; `timers none` without one.
void printTimers(const SimDesktop& desktop, std::ostream& out);
// `hotkey ID KEYS [norepeat]` for each registered hotkey, in id order, or `hotkey-keys none`.
void printHotkeyKeys(const SimDesktop& desktop, std::ostream& out);
// `key ID "KEYS" "MARK"` for each row of the open Keys dialog: its hotkey control's keys and its mark.
void printKeysDialog(SimDesktop& desktop, HWND dialog, std::ostream& out);
void printTray(const SimDesktop& desktop, std::ostream& out);

}  // namespace tessellor::sim
