#include "hook/HookEvents.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tessellor {

namespace {

// Out-of-context events arrive after the fact and the window may have changed again since: the event's
// own news wins over what the window answers now, so that the reports follow the events in order.
WindowState withNews(HookEvent event, WindowState state) {
  switch (event) {
    case HookEvent::MinimizeStart:
      state.iconic = true;
      break;
    case HookEvent::MinimizeEnd:
      state.iconic = false;
      break;
    case HookEvent::Show:
      state.visible = true;
      break;
    case HookEvent::Hide:
      state.visible = false;
      break;
    case HookEvent::Cloaked:
      state.cloaked = true;
      break;
    case HookEvent::Uncloaked:
      state.cloaked = false;
      break;
    default:
      break;
  }
  return state;
}

// The events whose message does not depend on the window's state.
HookMessage plainMessage(HookEvent event) {
  switch (event) {
    case HookEvent::MoveSizeEnd:
      return HookMessage::Sizing;
    case HookEvent::Create:
      return HookMessage::Create;
    case HookEvent::Foreground:
      return HookMessage::Focus;
    case HookEvent::MenuPopupStart:
      return HookMessage::SysMenu;
    default:
      return HookMessage::None;
  }
}

}  // namespace

HookMap::Shown HookMap::classify(const WindowState& state, Shown before) {
  // A window that has not been on screen since the library knew it stays "unshown" until it appears.
  if (!state.visible || state.cloaked) return before == Shown::Unshown ? Shown::Unshown : Shown::Hidden;
  if (state.iconic) return Shown::Minimised;
  return state.zoomed ? Shown::Maximised : Shown::Normal;
}

HookReport HookMap::change(Shown before, Shown after, bool titled) {
  const auto gone = [](Shown shown) { return shown == Shown::Minimised || shown == Shown::Hidden; };
  // A window's first appearance is no restore: new windows do not join a layout by themselves.
  if (before == after || before == Shown::Unshown) return {};
  if (gone(after)) return gone(before) ? HookReport{} : HookReport{HookMessage::MinMax, kShowMinimize};
  // Tooltips, menus and drop-down lists show and hide all the time: only a window with a title bar
  // coming back from hidden or cloaked is taken for a restored one.
  if (before == Shown::Hidden && !titled) return {};
  return {HookMessage::MinMax, after == Shown::Maximised ? kShowMaximize : kShowRestore};
}

HookMap::Shown HookMap::assumedBefore(HookEvent event, const WindowState& state) {
  switch (event) {
    case HookEvent::MinimizeEnd:
      return Shown::Minimised;
    case HookEvent::MinimizeStart:
      return Shown::Normal;
    case HookEvent::LocationChange:
      return classify(state, Shown::Normal) == Shown::Hidden ? Shown::Unshown : Shown::Normal;
    // A first appearance is no restore, a hidden window need not have been on screen, and the other
    // events say nothing of the state.
    default:
      return Shown::Unshown;
  }
}

void HookMap::remember(HookWindow window, const WindowState& state) {
  if (Entry* entry = find(window))
    entry->shown = classify(state, Shown::Unshown);
  else
    insert(window, classify(state, Shown::Unshown));
}

HookReport HookMap::onEvent(HookEvent event, HookWindow window, const WindowProbe& probe, std::uint64_t now) {
  Entry* entry = find(window);
  // A destroyed window can no longer be asked for its parent: only a window remembered as top-level is
  // reported closed, so that the many child windows that die with their programs post nothing.
  if (event == HookEvent::Destroy) {
    if (entry == nullptr) return {};
    erase(entry);
    return {HookMessage::Close, 0};
  }
  const HookMessage message = plainMessage(event);
  // The end of a move-size loop reports the move itself: nothing of it is left to settle.
  const bool moving =
      event == HookEvent::MoveSizeStart || (entry != nullptr && entry->moving && event != HookEvent::MoveSizeEnd);
  if (entry != nullptr && (event == HookEvent::MoveSizeStart || event == HookEvent::MoveSizeEnd)) {
    entry->moving = moving;
    entry->settling = false;
  }
  if (entry != nullptr && message != HookMessage::None && event != HookEvent::Create) return {message, 0};
  if (entry == nullptr && !probe.isTopLevel(window)) return {};
  const WindowState state = withNews(event, probe.observe(window));
  // A window met for the first time (or a handle that names a new window), or known only as never
  // shown, is taken to have been in the state its event undoes: it may still be one that a layout
  // holds, its creation or its showing unseen (as can happen under Wine).
  const bool fresh = entry == nullptr || event == HookEvent::Create;
  const Shown remembered = fresh ? Shown::Unshown : entry->shown;
  const Shown before = remembered == Shown::Unshown ? assumedBefore(event, state) : remembered;
  const Shown after = classify(state, before);
  if (entry != nullptr) {
    entry->shown = after;
  } else {
    if (count_ >= pruneAt_) forgetDeadWindows(probe);
    entry = insert(window, after);
    if (entry != nullptr) entry->moving = moving;
  }
  if (message != HookMessage::None) return {message, 0};
  const HookReport report = change(before, after, state.titled);
  // A move by Snap or by another program, not by a move-size loop and not a change of state.
  const bool moved = event == HookEvent::LocationChange && report.message == HookMessage::None &&
                     before == Shown::Normal && after == Shown::Normal && !moving;
  if (entry != nullptr) {
    entry->settling = moved || (entry->settling && report.message == HookMessage::None);
    if (moved) entry->settleAt = now + kSettleMs;
  }
  settleRequested_ = settleRequested_ || (moved && entry != nullptr);
  return report;
}

std::optional<std::uint64_t> HookMap::nextSettle() const {
  std::optional<std::uint64_t> first;
  for (const Entry* entry = entries_; entry != entries_ + count_; ++entry) {
    if (entry->settling && (!first || entry->settleAt < *first)) first = entry->settleAt;
  }
  return first;
}

bool HookMap::takeSettled(const WindowProbe& probe, HookWindow& window, std::uint64_t now) {
  for (Entry* entry = entries_; entry != entries_ + count_; ++entry) {
    if (!entry->settling || entry->settleAt > now) continue;
    entry->settling = false;
    // Minimised, maximised or hidden meanwhile: that change was reported already.
    if (entry->moving || !probe.exists(entry->window)) continue;
    if (classify(probe.observe(entry->window), entry->shown) != Shown::Normal) continue;
    window = entry->window;
    return true;
  }
  return false;
}

void HookMap::clear() {
  std::free(entries_);
  entries_ = nullptr;
  count_ = capacity_ = 0;
  pruneAt_ = kFirstPrune;
  settleRequested_ = false;
}

HookMap::Entry* HookMap::slot(HookWindow window) {
  return std::lower_bound(entries_, entries_ + count_, window,
                          [](const Entry& entry, HookWindow key) { return entry.window < key; });
}

HookMap::Entry* HookMap::find(HookWindow window) {
  Entry* at = slot(window);
  return at != entries_ + count_ && at->window == window ? at : nullptr;
}

HookMap::Entry* HookMap::insert(HookWindow window, Shown shown) {
  const std::size_t index = static_cast<std::size_t>(slot(window) - entries_);
  if (count_ == capacity_) {
    const std::size_t capacity = capacity_ == 0 ? 64 : 2 * capacity_;
    void* grown = std::realloc(entries_, capacity * sizeof(Entry));
    // Out of memory, the window simply stays unknown: its later events are learned again.
    if (grown == nullptr) return nullptr;
    entries_ = static_cast<Entry*>(grown);
    capacity_ = capacity;
  }
  std::memmove(entries_ + index + 1, entries_ + index, (count_ - index) * sizeof(Entry));
  entries_[index] = Entry{window, shown, false, false, 0};
  ++count_;
  return entries_ + index;
}

void HookMap::erase(Entry* entry) {
  const std::size_t after = count_ - static_cast<std::size_t>(entry - entries_) - 1;
  std::memmove(entry, entry + 1, after * sizeof(Entry));
  --count_;
}

// Destroy events of windows that die unseen (a program killed while the library was busy) would
// leave entries behind: past a threshold that doubles with the live count, the dead ones go, so the
// memory stays bounded by the windows that exist without a fixed limit.
void HookMap::forgetDeadWindows(const WindowProbe& probe) {
  Entry* const end =
      std::remove_if(entries_, entries_ + count_, [&probe](const Entry& entry) { return !probe.exists(entry.window); });
  count_ = static_cast<std::size_t>(end - entries_);
  pruneAt_ = std::max(kFirstPrune, 2 * count_);
}

}  // namespace tessellor
