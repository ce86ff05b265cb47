// The lines that the `print` commands write.
#pragma once

#include <ostream>
#include <string>

#include "app/Shell.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

// `L T R B`, as every line writes a rectangle.
std::string rectText(const RECT& r);

// `window NAME L T R B [minimized] [maximized] [hidden] [foreground]`, in creation order.
void printWindows(SimDesktop& desktop, std::ostream& out);
// `layout none`, or the border layout's weights, bounds, bands, centre and parked windows, or the
// grid's shape and windows.
void printLayout(SimDesktop& desktop, const Shell* shell, std::ostream& out);
// The main dialog: shown, status text, excluded programs, the two options.
void printDialog(SimDesktop& desktop, HWND dialog, std::ostream& out);
// The band sizes in the open border settings dialog's edit boxes, as their texts.
void printBorderSettings(SimDesktop& desktop, HWND dialog, std::ostream& out);
// `visible NAME L T R B [cloaked]`, the visible bounds, in creation order.
void printVisible(const SimDesktop& desktop, std::ostream& out);
void printRegistry(const SimDesktop& desktop, std::ostream& out);
void printSettingsFile(SimDesktop& desktop, std::ostream& out);
void printHotkeys(const SimDesktop& desktop, std::ostream& out);
void printTray(const SimDesktop& desktop, std::ostream& out);

}  // namespace tessellor::sim
