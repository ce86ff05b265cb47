// The restore journal: where each window stood before a layout took it, kept in restore.dat from
// before the layout first moves it until the windows are put back or the user keeps them where
// they are, so that a kill, a crash or the end of the session loses no window's place.
#pragma once

#include <string>
#include <vector>

#include "settings/RestoreFile.h"

namespace tessellor {

struct Shell;
struct RunningLayout;

struct RestoreJournal {
  // Listed by the file at start, still alive, neither put back nor taken by a layout since.
  std::vector<KeptWindow> lastRun;
  // The first places of the windows the running layout took, as long as it keeps one for them.
  std::vector<KeptWindow> taken;
  // What the file lists as it was last read or written; empty while no file of ours is there.
  std::vector<KeptWindow> written;
};

// Before the message's placements are made, the file only gains windows: one that leaves the
// journal as it is put back stays listed until it stands at its place. After them, it lists what
// the journal holds.
enum class JournalMoment { BeforePlacing, AfterPlacing };

// The file's path: %LOCALAPPDATA%\Tessellor\restore.dat, else restore.dat in the working directory.
std::string restoreFilePath(Platform& platform);

// Before a window is handed to the running layout: remembers where it stands (a window of the last
// run keeps that run's place, which the layout then takes as its first).
void keepBeforeTaking(Shell& shell, HWND hwnd);
// At the end of each message, before and after its placements are made: windows the layout forgot
// (closed, dragged away) leave the journal, and the file lists the windows of the last run, then
// the layout's in the order Ctrl+Backspace puts them back. Writes only when that changed; removes
// the file when it would list none.
void syncRestoreJournal(Shell& shell, JournalMoment moment);
// The layout ends with its windows put back, or with the user keeping them where they are.
void forgetTakenWindows(Shell& shell, const RunningLayout& layout);

// At start: reads the file (a damaged one is ignored), drops the windows that are gone or whose
// handle another window has now, and offers the rest in a balloon.
void offerLastRunWindows(Shell& shell);
// Whether "Put windows back" is offered now: no layout runs and the last run left living windows.
bool canPutWindowsBack(Shell& shell);
// "Put windows back": each living window of the last run goes back to its place, as Ctrl+Backspace
// puts a layout's back; then the file and the menu item go.
void putWindowsBack(Shell& shell);

}  // namespace tessellor
