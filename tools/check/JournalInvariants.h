// The restore journal's rules: killed, the program has left in restore.dat every window its layout
// would have put back, and "Put windows back" puts each living window the file lists at its kept
// place and removes the file.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "app/Shell.h"
#include "platform/sim/SimDesktop.h"
#include "settings/RestoreFile.h"
#include "tools/check/Invariants.h"

namespace tessellor::check {

// The windows Ctrl+Backspace would put back now: held in a cell, with a first place kept.
std::vector<HWND> windowsToPutBack(const Shell& shell);

// Of `held`, the windows the layout moved from their kept place: one still standing there (a
// window held back while its place could not be saved) loses nothing to a kill.
std::vector<HWND> movedFromKeptPlace(const Shell& shell, sim::SimDesktop& desktop, std::vector<HWND> held);

// What restore.dat lists on the desktop; nothing when it is missing or damaged.
std::optional<std::vector<KeptWindow>> journalOnDesktop(sim::SimDesktop& desktop);

// After a kill: the journal is sound and lists each of `held`.
void checkJournalAfterKill(sim::SimDesktop& desktop, std::span<const HWND> held, Findings& findings);

// After "Put windows back": each living window of `listed` (but one that grows at every placement,
// or an elevated one, which refuses every placement)
// stands at its kept place (moved onto a monitor when no monitor holds any of it), as the window's
// minimum size allows; one minimised or hidden keeps that state with the kept place to come back
// to; and the file is gone.
void checkPutBack(sim::SimDesktop& desktop, std::span<const KeptWindow> listed, Findings& findings);

}  // namespace tessellor::check
