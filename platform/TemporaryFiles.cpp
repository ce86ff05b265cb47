#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cctype>

namespace tessellor {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// One or more decimal digits, then `end`; what follows them is returned.
bool digitsThen(std::string_view& text, char end) {
  std::size_t n = 0;
  while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n])) != 0) ++n;
  if (n == 0 || n >= text.size() || text[n] != end) return false;
  text.remove_prefix(n + 1);
  return true;
}

}  // namespace

std::string temporaryName(std::string_view path, unsigned long processId, unsigned serial) {
  return std::string(path) + "." + std::to_string(processId) + "." + std::to_string(serial) + ".tmp";
}

bool isTemporaryOf(std::string_view path, std::string_view name) {
  if (name.size() <= path.size() || !sameLetters(name.substr(0, path.size()), path)) return false;
  std::string_view rest = name.substr(path.size());
  if (sameLetters(rest, ".tmp")) return true;
  if (rest.front() != '.') return false;
  rest.remove_prefix(1);
  return digitsThen(rest, '.') && digitsThen(rest, '.') && sameLetters(rest, "tmp");
}

}  // namespace tessellor
