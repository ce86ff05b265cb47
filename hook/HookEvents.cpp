#include "hook/HookEvents.h"

#include <algorithm>
#include <new>

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

void HookMap::remember(HookWindow window, const WindowState& state) {
  if (Entry* entry = find(window))
    entry->shown = classify(state, Shown::Unshown);
  else
    insert(window, classify(state, Shown::Unshown));
}

HookReport HookMap::onEvent(HookEvent event, HookWindow window, const WindowProbe& probe) {
  // A destroyed window can no longer be asked for its parent: only a window remembered as top-level is
  // reported closed, so that the many child windows that die with their programs post nothing.
  if (event == HookEvent::Destroy) {
    Entry* entry = find(window);
    if (entry == nullptr) return {};
    entries_.erase(entries_.begin() + (entry - entries_.data()));
    return {HookMessage::Close, 0};
  }
  Entry* entry = find(window);
  if (entry == nullptr || event == HookEvent::Create) {
    // Learned now (or a handle reused by a new window): what it was before is unknown, so no change
    // of state is reported.
    if (entry == nullptr && !probe.isTopLevel(window)) return {};
    const Shown shown = classify(withNews(event, probe.observe(window)), Shown::Unshown);
    if (entry != nullptr) {
      entry->shown = shown;
    } else {
      if (entries_.size() >= pruneAt_) forgetDeadWindows(probe);
      insert(window, shown);
    }
    return {plainMessage(event), 0};
  }
  if (const HookMessage message = plainMessage(event); message != HookMessage::None) return {message, 0};
  const WindowState state = withNews(event, probe.observe(window));
  const Shown before = entry->shown;
  entry->shown = classify(state, before);
  return change(before, entry->shown, state.titled);
}

void HookMap::clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  pruneAt_ = kFirstPrune;
}

std::vector<HookMap::Entry>::iterator HookMap::slot(HookWindow window) {
  return std::lower_bound(entries_.begin(), entries_.end(), window,
                          [](const Entry& entry, HookWindow key) { return entry.window < key; });
}

HookMap::Entry* HookMap::find(HookWindow window) {
  const auto at = slot(window);
  return at != entries_.end() && at->window == window ? &*at : nullptr;
}

void HookMap::insert(HookWindow window, Shown shown) {
  const auto at = slot(window);
  // Out of memory, the window simply stays unknown: its later events are learned again.
  try {
    entries_.insert(at, Entry{window, shown});
  } catch (const std::bad_alloc&) {
  }
}

// Destroy events of windows that die unseen (a program killed while the library was busy) would
// leave entries behind: past a threshold that doubles with the live count, the dead ones go, so the
// memory stays bounded by the windows that exist without a fixed limit.
void HookMap::forgetDeadWindows(const WindowProbe& probe) {
  std::erase_if(entries_, [&probe](const Entry& entry) { return !probe.exists(entry.window); });
  pruneAt_ = std::max(kFirstPrune, 2 * entries_.size());
}

}  // namespace tessellor
