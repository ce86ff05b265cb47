// The names of the temporary files that a save writes beside its file before it takes its place.
#pragma once

#include <string>
#include <string_view>

namespace tessellor {

// PATH.PID.N.tmp: no two writers meet on one name, and a leftover is known by its name.
std::string temporaryName(std::string_view path, unsigned long processId, unsigned serial);
// Whether `name` is a temporary of `path`, as named above or as earlier versions named it
// (PATH.tmp); letter case is ignored, as Windows ignores it.
bool isTemporaryOf(std::string_view path, std::string_view name);

}  // namespace tessellor
