// One value per window, in insertion order: the table behind the layouts' remembered rectangles
// and the shell's remembered places.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win_types.h"

namespace tessellor {

// Entry is a record with an `hwnd` member; Field points at the member holding the value.
template <class Entry, auto Field>
class KeyedTable {
 public:
  using Value = std::remove_cvref_t<decltype(std::declval<Entry&>().*Field)>;

  // The value of the first entry for hwnd, or null.
  const Value* find(HWND hwnd) const {
    auto it = locate(entries_, hwnd);
    return it == entries_.end() ? nullptr : &((*it).*Field);
  }
  // Appends an entry unless hwnd has one already (then the old value stays); true if appended.
  bool add(HWND hwnd, const Value& value) {
    if (locate(entries_, hwnd) != entries_.end()) return false;
    Entry entry{};
    entry.hwnd = hwnd;
    entry.*Field = value;
    entries_.push_back(entry);
    return true;
  }
  // Overwrites the first entry for hwnd; false (and nothing added) if there is none.
  bool update(HWND hwnd, const Value& value) {
    auto it = locate(entries_, hwnd);
    if (it == entries_.end()) return false;
    (*it).*Field = value;
    return true;
  }
  // Erases the first entry for hwnd; true if one was erased.
  bool remove(HWND hwnd) {
    auto it = locate(entries_, hwnd);
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
  }
  // Erases every entry.
  void clear() { entries_.clear(); }

  // The entries in insertion order, for reading.
  const std::vector<Entry>& entries() const { return entries_; }
  // Makes room for n entries, so that adding up to n allocates nothing.
  void reserve(std::size_t n) { entries_.reserve(n); }

 private:
  static auto locate(auto& entries, HWND hwnd) {
    return std::find_if(entries.begin(), entries.end(), [hwnd](const Entry& e) { return e.hwnd == hwnd; });
  }

  std::vector<Entry> entries_;
};

}  // namespace tessellor
