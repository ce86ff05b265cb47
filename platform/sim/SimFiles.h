// The simulated desktop's files and folders, in memory. Paths are Windows paths: a relative one is
// taken from the working directory, '/' is '\', "." and ".." are followed, and letter case does not
// matter.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace tessellor::sim {

class SimFiles {
 public:
  // Where a program started by a Run value at logon runs.
  static constexpr const char* kWorkingDirectory = "C:\\Windows\\System32";
  static constexpr const char* kLocalAppData = "C:\\Users\\user\\AppData\\Local";

  SimFiles();  // the working directory and the local application data folder exist

  // The file's bytes; nothing for a missing file or a folder.
  std::optional<std::string> read(std::string_view path) const;
  // The program's write: false when the folder is missing, the path is a folder or the file is
  // read-only; the old bytes are then kept.
  bool write(std::string_view path, std::string_view bytes);
  // The scenario's own write: makes missing folders and ignores read-only.
  void put(std::string_view path, std::string_view bytes);
  void remove(std::string_view path);
  // The program's delete: 0, or ERROR_FILE_NOT_FOUND, or ERROR_ACCESS_DENIED for a read-only file.
  DWORD erase(std::string_view path);
  // 0 when the folder was made; ERROR_ALREADY_EXISTS or ERROR_PATH_NOT_FOUND otherwise.
  DWORD makeFolder(std::string_view path);
  bool isFolder(std::string_view path) const;
  void setReadonly(std::string_view path);
  void clearReadonly(std::string_view path) { readonly_.erase(key(path)); }
  bool exists(std::string_view path) const { return files_.contains(key(path)); }

  // Every write is numbered: a file is older than a process when its last write came before the
  // process started (the number then).
  unsigned long long writeCount() const { return writes_; }
  unsigned long long writtenAt(std::string_view path) const;
  // The files whose stored path starts with that of `path`, as the store keys them.
  std::vector<std::string> filesStartingWith(std::string_view path) const;

  // The path as the store keys it: absolute, lower case, single backslashes, no trailing one.
  static std::string key(std::string_view path);

 private:
  static std::string parentOf(const std::string& key);
  void makeFolders(const std::string& key);

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
  std::set<std::string> readonly_;
  std::map<std::string, unsigned long long> writtenAt_;
  unsigned long long writes_ = 0;
};

}  // namespace tessellor::sim
