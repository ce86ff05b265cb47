// The shell's state for the life of the process: one object, owned by the entry point, reached by
// the dialog procedures through the main dialog's DWLP_USER slot.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/ActiveLayout.h"
#include "app/PosTable.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/KeyName.h"
#include "layout/border/BorderWeights.h"
#include "platform/DesktopView.h"
#include "platform/EventReads.h"
#include "platform/PendingPlacements.h"
#include "platform/Platform.h"
#include "settings/ProgramNames.h"

namespace tessellor {

// The numbers of the hook library's messages, registered before the entry point runs.
struct HookMessages {
  UINT sizing = 0;
  UINT create = 0;
  UINT close = 0;
  UINT focus = 0;
  UINT minmax = 0;
  UINT sysmenu = 0;
  UINT moved = 0;  // "UWM_MOVED": a window moved outside a move-size loop (Snap), once it settled
};

// Static initialisation: registers the seven message names, in their order.
HookMessages registerHookMessages(Platform& platform);

inline constexpr std::size_t HOTKEY_COUNT = 12;

// The hotkeys' keys, by id: the ones the user chose (today's keys until then), the ones registered
// now (NO_KEY where none is), and what was found out about the chosen ones.
struct HotkeyState {
  std::array<HotkeyKey, HOTKEY_COUNT> chosen{};
  std::array<HotkeyKey, HOTKEY_COUNT> registered{};
  std::bitset<HOTKEY_COUNT> taken;          // the last try to register it failed
  std::bitset<HOTKEY_COUNT> reportedTaken;  // named to the user as held by another program
  std::bitset<HOTKEY_COUNT> reportedAltGr;  // named to the user as left to typing
  bool keysDialogOpen = false;              // its boxes take the keys: none is registered meanwhile
  bool isRegistered(std::size_t id) const { return registered[id].isSet(); }
};
// What a tray balloon says: a click on it acts only for the one offering to put windows back.
enum class Balloon : bool { Notice, PutWindowsBack };

struct Shell {
  Shell(Platform& platform, const HookMessages& messages);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // The window system as the shell sees it: each answer read once an event (forgotten at its start
  // and end). Declared first, as everything below is built on it.
  EventReads reads;
  Platform& platform;
  const HookMessages messages;
  // What the layouts are built with: the work area of the layout's monitor, in visible bounds.
  DesktopView desktop;
  // The same, with each event's placements held back until its end (the layouts are built on it).
  PendingPlacements placements;
  // Windows of the layout it placed and saw normal since they joined: one found minimised, maximised,
  // hidden or gone before its next placement missed an event.
  std::vector<HWND> settledWindows;
  // Windows of the layout whose placement did not answer in time: they take it once they do, and
  // are read back then.
  std::vector<HWND> lateWindows;

  HWND mainDialog = nullptr;
  HINSTANCE appInstance = nullptr;
  HMODULE appModule = nullptr;
  char exePath[MAX_PATH] = {};
  NOTIFYICONDATAA trayIcon{};
  bool trayIconShown = false;  // the shell took it (app/TrayIcon.h)

  ActiveLayout layout;
  LayoutMode layoutMode() const { return layout.mode(); }
  // The running layout of that kind, or null.
  BorderLayout* borderLayout() const { return layout.border(); }
  GridLayout* gridLayout() const { return layout.grid(); }

  PosTable savedSides;
  PosTable savedSlots;
  BorderWeights borderWeights;

  // The band the next automatically added window goes to; lives as long as the process.
  int nextSide = 3;

  HotkeyState keys;

  // The virtual desktop shown when the layout started (null: none to tell), and the windows the
  // shell cloaked since because their desktop went out of view.
  GUID layoutDesktop{};
  std::vector<HWND> cloakedByDesktop;

  // One cycling counter shared by the four Ctrl+arrow directions (never reset).
  std::uint32_t cycleIndex = 0;

  // The settings' bytes as last read from or written to their file; none while the file holds
  // something else (missing, damaged, or a save failed).
  std::optional<std::string> savedSettings;
  // Files whose last save failed, each said once in a balloon.
  std::set<std::string> failedSaves;
  // Programs whose windows Windows does not let Tessellor move: named in a balloon once a run, the
  // ones found in this event at its end.
  std::set<std::string> namedUnmovable;
  std::vector<std::string> unmovableToName;
  // Windows whose placement was refused with ERROR_ACCESS_DENIED: no layout takes them again, until
  // they close (their handle may then name another window).
  std::vector<HWND> deniedWindows;
  // The kind of the balloon shown last, which a click on the balloon means.
  Balloon lastBalloon = Balloon::Notice;

  RestoreJournal journal;
  ProgramNames programNames;

  // How many messages of the main dialog are being handled, one inside another: a message the
  // window system sends back while the shell handles one (an edit box's EN_CHANGE as its text is
  // set) belongs to that event, which ends once, with the outermost. 0 inside a modal loop.
  int messageDepth = 0;
  // The layout mode changed in this event: its keys and status text follow at the event's end.
  bool modeToFollow = false;
};

// The shell kept with the main dialog, or null before WM_INITDIALOG.
Shell* shellOf(Platform& platform, HWND dialog);

}  // namespace tessellor
