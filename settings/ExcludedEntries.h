// The entries of the excluded list: a program's file name, `title:TEXT` or `class:NAME`, and what
// each matches.
#pragma once

#include <string>
#include <string_view>

namespace tessellor {

enum class EntryKind { Program, Title, Class };

inline constexpr std::string_view TITLE_PREFIX = "title:";
inline constexpr std::string_view CLASS_PREFIX = "class:";

// An entry that starts with a prefix (in lower case) is a rule, whatever follows it.
EntryKind entryKind(std::string_view entry);
// What follows a rule's prefix; a program entry whole.
std::string_view entryText(std::string_view entry);

// The window's title, as read, contains the text, letter case ignored.
bool titleMatches(std::string_view title, std::string_view text);
// The window's class is the name, letter case ignored.
bool classMatches(std::string_view className, std::string_view name);

// The text in one letter case, as UTF-32: ASCII and the letters of Latin-1, Latin Extended-A, Greek
// and Cyrillic fold to lower case. A byte that is no UTF-8 stands for itself alone.
std::u32string foldCase(std::string_view text);

}  // namespace tessellor
