// What the hook library makes of other programs' window events: which message to post, if any, from the
// event and the window's state as the library sees it. No window-system calls here, so that the rules
// run and are tested anywhere; hook/msghook.cpp asks Windows and posts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace tessellor {

// A window handle as a number.
using HookWindow = std::uintptr_t;

enum class HookEvent {
  MoveSizeStart,
  MoveSizeEnd,
  MinimizeStart,
  MinimizeEnd,
  Show,
  Hide,
  Cloaked,
  Uncloaked,
  LocationChange,
  Create,
  Destroy,
  Foreground,
  MenuPopupStart,
};

// WinEvent code → event; hook/msghook.cpp checks the numbers against the Windows headers.
struct HookEventCode {
  std::uint32_t code;
  HookEvent event;
};
inline constexpr HookEventCode kHookEventCodes[] = {
    {0x0003, HookEvent::Foreground},  {0x0006, HookEvent::MenuPopupStart}, {0x000A, HookEvent::MoveSizeStart},
    {0x000B, HookEvent::MoveSizeEnd}, {0x0016, HookEvent::MinimizeStart},  {0x0017, HookEvent::MinimizeEnd},
    {0x8000, HookEvent::Create},      {0x8001, HookEvent::Destroy},        {0x8002, HookEvent::Show},
    {0x8003, HookEvent::Hide},        {0x800B, HookEvent::LocationChange}, {0x8017, HookEvent::Cloaked},
    {0x8018, HookEvent::Uncloaked},
};

// The event a WinEvent code stands for, none for codes the library does not act on.
constexpr std::optional<HookEvent> hookEventFromCode(std::uint32_t code) {
  for (const HookEventCode& entry : kHookEventCodes)
    if (entry.code == code) return entry.event;
  return std::nullopt;
}

// A live window's state as the window system answers it.
struct WindowState {
  bool titled = false;  // has a title bar and is no tool window
  bool visible = false;
  bool cloaked = false;
  bool iconic = false;
  bool zoomed = false;
};

// The questions the library may ask about a window; each is asked only when a decision needs it.
class WindowProbe {
 public:
  // False also for a window that no longer exists.
  virtual bool isTopLevel(HookWindow window) const = 0;
  virtual WindowState observe(HookWindow window) const = 0;
  virtual bool exists(HookWindow window) const = 0;

 protected:
  ~WindowProbe() = default;
};

enum class HookMessage { None, Sizing, Create, Close, Focus, MinMax, SysMenu, Moved };

inline constexpr int kShowMaximize = 3;
inline constexpr int kShowMinimize = 6;
inline constexpr int kShowRestore = 9;

struct HookReport {
  HookMessage message = HookMessage::None;
  int showCommand = 0;  // for MinMax only
  bool operator==(const HookReport&) const = default;
};

// The top-level windows the library has seen (those that exist when reporting starts, and those met
// since), each with the state it last reported. A destroyed window is forgotten; the few that die
// unseen are swept out whenever the memory has doubled, so it stays bounded by the windows that exist.
class HookMap {
 public:
  HookMap() = default;
  HookMap(const HookMap&) = delete;
  HookMap& operator=(const HookMap&) = delete;
  ~HookMap() { clear(); }

  // Takes in a top-level window that exists when reporting starts; reports nothing.
  void remember(HookWindow window, const WindowState& state);
  // How long a window that moved outside a move-size loop must stand still before its move is given.
  static constexpr std::uint64_t kSettleMs = 100;

  // What to post for `event` on `window` at `now` (milliseconds); remembers the window's new state.
  HookReport onEvent(HookEvent event, HookWindow window, const WindowProbe& probe, std::uint64_t now = 0);
  // True once after an event that moved a normal window outside a move-size loop (Snap, another
  // program): its "UWM_MOVED" is to wait until that window has been still for a moment.
  bool takeSettleRequest() { return std::exchange(settleRequested_, false); }
  // When the first window that is settling will have stood still long enough; none when none settles.
  std::optional<std::uint64_t> nextSettle() const;
  // One window whose moves outside a move-size loop have settled by `now` and that is still a
  // normal, shown window, and false when there is none left. Each window waits for its own moves
  // only: another window that keeps moving delays nothing but itself.
  bool takeSettled(const WindowProbe& probe, HookWindow& window, std::uint64_t now = UINT64_MAX);
  // Forgets every window.
  void clear();
  std::size_t size() const { return count_; }

 private:
  enum class Shown : unsigned char { Unshown, Normal, Maximised, Minimised, Hidden };
  struct Entry {
    HookWindow window;
    Shown shown;
    bool moving;             // between its move-size loop's start and end
    bool settling;           // moved outside such a loop since the last settling
    std::uint64_t settleAt;  // while settling: when it will have stood still long enough
  };

  static Shown classify(const WindowState& state, Shown before);
  static Shown assumedBefore(HookEvent event, const WindowState& state);
  static HookReport change(Shown before, Shown after, bool titled);
  Entry* slot(HookWindow window);  // where the window is or would go
  Entry* find(HookWindow window);
  Entry* insert(HookWindow window, Shown shown);  // null when out of memory
  void erase(Entry* entry);
  void forgetDeadWindows(const WindowProbe& probe);

  // Sorted by window. A plain C array rather than std::vector: the library stays free of the C++
  // exception machinery, which would make it ten times larger.
  Entry* entries_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  std::size_t pruneAt_ = kFirstPrune;
  bool settleRequested_ = false;
  static constexpr std::size_t kFirstPrune = 1024;
};

}  // namespace tessellor
