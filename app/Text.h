// The texts of balloons and marks, put together from parts in one place: each chain of string
// additions would otherwise be expanded inline where it stands, and tessellor.exe must stay small.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tessellor {

// The parts, one after the other.
std::string concat(std::initializer_list<std::string_view> parts);
// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& items);

}  // namespace tessellor
