// The shell's state for the life of the process: one object, owned by the entry point, reached by
// the dialog procedures through the main dialog's DWLP_USER slot.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/journal/RestoreJournal.h"
#include "app/keys/KeyName.h"
#include "app/layouts/RunningLayout.h"
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
enum class Balloon { Notice, PutWindowsBack, OpenDialog };

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
  // The running layouts, at most one a monitor on each virtual desktop, in the order they are
  // placed: by monitor (the primary first), then by desktop.
  std::vector<std::unique_ptr<RunningLayout>> layouts;
  // The layout the message at hand is about (the one the keys act on, the one that holds the window
  // an event tells of), or null.
  RunningLayout* current = nullptr;
  // Layouts ended in this event, freed at its end.
  std::vector<std::unique_ptr<RunningLayout>> retired;
  // The area a layout started now would cover, while none runs there.
  DesktopView prospect;
  // Windows put back where they were kept, in the window system's own coordinates: the layouts read
  // the windows' first places through it, and put them back through it. Placed at the event's end,
  // after the layouts' own placements.
  PendingPlacements putBacks;

  HWND mainDialog = nullptr;
  HINSTANCE appInstance = nullptr;
  HMODULE appModule = nullptr;
  char exePath[MAX_PATH] = {};
  NOTIFYICONDATAA trayIcon{};
  bool trayIconShown = false;  // the shell took it (app/TrayIcon.h)

  // The kind of the current layout, and the current layout of that kind, or null.
  LayoutMode layoutMode() const { return current != nullptr ? current->mode() : LayoutNone; }
  BorderLayout* borderLayout() const { return current != nullptr ? current->engine.border() : nullptr; }
  GridLayout* gridLayout() const { return current != nullptr ? current->engine.grid() : nullptr; }
  bool anyLayout() const { return !layouts.empty(); }

  BorderWeights borderWeights;

  // The band the next automatically added window goes to; lives as long as the process.
  int nextSide = 3;

  HotkeyState keys;

  // One cycling counter shared by the four Ctrl+arrow directions (never reset).
  std::uint32_t cycleIndex = 0;

  // The settings' bytes as last read from or written to their file; none while the file holds
  // something else (missing, damaged, or a save failed).
  std::optional<std::string> savedSettings;
  // Files whose last save failed, each said once in a balloon; and those said in this event, which
  // a save that succeeds and fails again in the same event does not say twice.
  std::set<std::string> failedSaves;
  std::set<std::string> saidFailedThisEvent;
  // Programs whose windows Windows does not let Tessellor move: named in a balloon once a run, the
  // ones found in this event at its end.
  std::set<std::string> namedUnmovable;
  std::vector<std::string> unmovableToName;
  // Windows whose placement was refused with ERROR_ACCESS_DENIED: no layout takes them again, until
  // they close (their handle may then name another window).
  std::vector<HWND> deniedWindows;
  // The application window of another program the hook last reported in front (the tray menu offers
  // to leave its program alone), and the program the open tray menu offers so.
  HWND lastFront = nullptr;
  std::string dontTileProgram;
  // Windows put back that did not answer in time, and the window meant to end in front.
  std::vector<HWND> latePutBacks;
  HWND putBackFront = nullptr;
  // A layout that started empty was said so, once a run.
  bool toldEmptyStart = false;
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

// Makes a layout the current one for as long as it lives, then the one before again.
class ActingOn {
 public:
  ActingOn(Shell& shell, RunningLayout* layout) : shell_(shell), before_(shell.current) { shell.current = layout; }
  ~ActingOn() { shell_.current = before_; }
  ActingOn(const ActingOn&) = delete;
  ActingOn& operator=(const ActingOn&) = delete;

 private:
  Shell& shell_;
  RunningLayout* before_;
};

}  // namespace tessellor
