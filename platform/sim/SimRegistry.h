// The two registry keys the program uses, each its own store: the per-user Run key and the
// machine-wide one. Other keys do not exist.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/win_types.h"

namespace tessellor::sim {

class SimRegistry {
 public:
  // Writable; ReadOnly opens for reading only (a user without administrator rights under the
  // machine key); Closed cannot be opened at all.
  enum class Access { Writable, ReadOnly, Closed };
  struct Value {
    DWORD type = 0;
    std::string data;
  };
  struct RunKey {
    std::map<std::string, Value> values;  // by name, as given
    Access access = Access::Writable;
  };

  RunKey user;     // HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run
  RunKey machine;  // HKEY_LOCAL_MACHINE\...

  // `write` asks for writing too; `mostAllowed` (as RegOpenKeyA does) takes what the key allows, so
  // a ReadOnly key opens for reading and a later write is refused.
  LONG open(HKEY root, const char* subKey, bool write, bool mostAllowed, HKEY* result);
  LONG set(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
  LONG query(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) const;
  LONG remove(HKEY key, const char* name);
  LONG close(HKEY key);
  void closeAll() { open_.clear(); }  // the process has ended

  // The data of the value "Tessellor", as stored.
  static std::optional<std::string> runValue(const RunKey& key);

 private:
  struct OpenKey {
    RunKey* key;
    bool writable;
  };
  std::map<std::uintptr_t, OpenKey> open_;
  std::uintptr_t next_ = 0;
};

}  // namespace tessellor::sim
