#include "platform/sim/SimRegistry.h"

#include <cstring>
#include <string_view>

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kFirstKey = 0x78000000;
constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Key names ignore the case of ASCII letters.
bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

LONG status(DWORD code) { return static_cast<LONG>(code); }

}  // namespace

LONG SimRegistry::open(HKEY root, const char* subKey, bool write, bool mostAllowed, HKEY* result) {
  if (result == nullptr) return status(ERROR_INVALID_HANDLE);
  RunKey* key = root == HKEY_CURRENT_USER ? &user : root == HKEY_LOCAL_MACHINE ? &machine : nullptr;
  if (key == nullptr || subKey == nullptr || !sameName(subKey, kRunKey)) return status(ERROR_FILE_NOT_FOUND);
  if (key->access == Access::Closed) return status(ERROR_ACCESS_DENIED);
  bool writable = key->access == Access::Writable;
  if (!writable && write && !mostAllowed) return status(ERROR_ACCESS_DENIED);
  writable = writable && (write || mostAllowed);
  const std::uintptr_t handle = kFirstKey + ++next_;
  open_[handle] = OpenKey{key, writable};
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LONG SimRegistry::set(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  auto it = open_.find(reinterpret_cast<std::uintptr_t>(key));
  if (it == open_.end()) return status(ERROR_INVALID_HANDLE);
  if (!it->second.writable) return status(ERROR_ACCESS_DENIED);
  Value value{type, data != nullptr ? std::string(reinterpret_cast<const char*>(data), size) : std::string()};
  it->second.key->values[name != nullptr ? name : ""] = std::move(value);
  return ERROR_SUCCESS;
}

LONG SimRegistry::query(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) const {
  auto it = open_.find(reinterpret_cast<std::uintptr_t>(key));
  if (it == open_.end()) return status(ERROR_INVALID_HANDLE);
  const auto& values = it->second.key->values;
  auto value = values.find(name != nullptr ? name : "");
  if (value == values.end()) return status(ERROR_FILE_NOT_FOUND);
  if (type != nullptr) *type = value->second.type;
  const std::string& bytes = value->second.data;
  if (data != nullptr && (size == nullptr || *size < bytes.size())) {
    if (size != nullptr) *size = static_cast<DWORD>(bytes.size());
    return status(ERROR_MORE_DATA);
  }
  // A value's bytes as stored, as Windows gives them: a string's terminator only if it was written.
  if (data != nullptr) std::memcpy(data, bytes.data(), bytes.size());  // NOLINT(bugprone-not-null-terminated-result)
  if (size != nullptr) *size = static_cast<DWORD>(bytes.size());
  return ERROR_SUCCESS;
}

LONG SimRegistry::remove(HKEY key, const char* name) {
  auto it = open_.find(reinterpret_cast<std::uintptr_t>(key));
  if (it == open_.end()) return status(ERROR_INVALID_HANDLE);
  if (!it->second.writable) return status(ERROR_ACCESS_DENIED);
  return it->second.key->values.erase(name != nullptr ? name : "") > 0 ? ERROR_SUCCESS : status(ERROR_FILE_NOT_FOUND);
}

LONG SimRegistry::close(HKEY key) {
  return open_.erase(reinterpret_cast<std::uintptr_t>(key)) > 0 ? ERROR_SUCCESS : status(ERROR_INVALID_HANDLE);
}

std::optional<std::string> SimRegistry::runValue(const RunKey& key) {
  auto it = key.values.find("Tessellor");
  if (it == key.values.end()) return std::nullopt;
  return it->second.data;
}

}  // namespace tessellor::sim
