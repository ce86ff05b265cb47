// libFuzzer: any bytes as keys.dat. Whatever the bytes, each action ends with no key or one that can
// be Tessellor's, no two actions share a key, the unread lines are lines of the file, and what the
// program would write back reads as the same keys with nothing unread.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/keys/KeysFile.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tessellor::KeysFileContents read = tessellor::readKeysFile(bytes);
  for (std::size_t id = 0; id < tessellor::HOTKEY_COUNT; ++id) {
    const tessellor::HotkeyKey key = read.keys[id];
    check(!key.isSet() || tessellor::isUsableKey(key));
    for (std::size_t other = 0; other < id; ++other) check(!key.isSet() || read.keys[other] != key);
  }
  const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  for (std::size_t i = 0; i < read.unreadLines.size(); ++i) {
    check(read.unreadLines[i] >= 1 && read.unreadLines[i] <= lines);
    check(i == 0 || read.unreadLines[i - 1] <= read.unreadLines[i]);
  }
  const tessellor::KeysFileContents again = tessellor::readKeysFile(tessellor::keysFileBytes(read.keys));
  check(again.keys == read.keys);
  check(again.unreadLines.empty());
  return 0;
}
