// What the hook library makes of other programs' window events: which message to post, if any, from the
// event and the window's state as the library sees it. No window-system calls here, so that the rules
// run and are tested anywhere; hook/msghook.cpp asks Windows and posts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tessellor {

// A window handle as a number.
using HookWindow = std::uintptr_t;

enum class HookEvent {
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

// The event a WinEvent code stands for, none for codes the library does not act on. hook/msghook.cpp
// checks these numbers against the Windows headers.
constexpr std::optional<HookEvent> hookEventFromCode(std::uint32_t code) {
  switch (code) {
    case 0x0003:
      return HookEvent::Foreground;
    case 0x0006:
      return HookEvent::MenuPopupStart;
    case 0x000B:
      return HookEvent::MoveSizeEnd;
    case 0x0016:
      return HookEvent::MinimizeStart;
    case 0x0017:
      return HookEvent::MinimizeEnd;
    case 0x8000:
      return HookEvent::Create;
    case 0x8001:
      return HookEvent::Destroy;
    case 0x8002:
      return HookEvent::Show;
    case 0x8003:
      return HookEvent::Hide;
    case 0x800B:
      return HookEvent::LocationChange;
    case 0x8017:
      return HookEvent::Cloaked;
    case 0x8018:
      return HookEvent::Uncloaked;
    default:
      return std::nullopt;
  }
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

enum class HookMessage { None, Sizing, Create, Close, Focus, MinMax, SysMenu };

inline constexpr int kShowMaximize = 3;
inline constexpr int kShowMinimize = 6;
inline constexpr int kShowRestore = 9;

struct HookReport {
  HookMessage message = HookMessage::None;
  int showCommand = 0;  // for MinMax only
  bool operator==(const HookReport&) const = default;
};

// The top-level windows the library has seen, each with the state it last reported.
class HookMap {
 public:
  HookMap() = default;
  HookMap(const HookMap&) = delete;
  HookMap& operator=(const HookMap&) = delete;
  ~HookMap() { clear(); }

  // Takes in a top-level window that exists when reporting starts; reports nothing.
  void remember(HookWindow window, const WindowState& state);
  // What to post for `event` on `window`; remembers the window's new state.
  HookReport onEvent(HookEvent event, HookWindow window, const WindowProbe& probe);
  void clear();
  std::size_t size() const { return count_; }

 private:
  enum class Shown : unsigned char { Unshown, Normal, Maximised, Minimised, Hidden };
  struct Entry {
    HookWindow window;
    Shown shown;
  };

  static Shown classify(const WindowState& state, Shown before);
  static Shown assumedBefore(HookEvent event, const WindowState& state);
  static HookReport change(Shown before, Shown after, bool titled);
  Entry* slot(HookWindow window);  // where the window is or would go
  Entry* find(HookWindow window);
  void insert(HookWindow window, Shown shown);
  void erase(Entry* entry);
  void forgetDeadWindows(const WindowProbe& probe);

  // Sorted by window. A plain C array rather than std::vector: the library stays free of the C++
  // exception machinery, which would make it ten times larger.
  Entry* entries_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  std::size_t pruneAt_ = kFirstPrune;
  static constexpr std::size_t kFirstPrune = 1024;
};

}  // namespace tessellor
