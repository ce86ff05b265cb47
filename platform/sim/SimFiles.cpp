#include "platform/sim/SimFiles.h"

#include <vector>

namespace tessellor::sim {

SimFiles::SimFiles() {
  makeFolders(key(kWorkingDirectory));
  makeFolders(key(kLocalAppData));
}

std::string SimFiles::key(std::string_view path) {
  std::string text(path);
  for (char& c : text) {
    if (c == '/') c = '\\';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const bool hasDrive = text.size() >= 2 && text[1] == ':';
  std::string full;
  if (hasDrive) {
    full = text;
  } else if (!text.empty() && text[0] == '\\') {
    full = "c:" + text;  // rooted on the working directory's drive
  } else {
    full = key(kWorkingDirectory) + "\\" + text;
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = full.find('\\', start);
    if (end == std::string::npos) end = full.size();
    const std::string part = full.substr(start, end - start);
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();  // never above the drive
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += out.empty() ? part : "\\" + part;
  return out;
}

std::string SimFiles::parentOf(const std::string& key) {
  const std::size_t slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

void SimFiles::makeFolders(const std::string& key) {
  for (std::string folder = key; !folder.empty(); folder = parentOf(folder)) folders_.insert(folder);
}

std::optional<std::string> SimFiles::read(std::string_view path) const {
  auto it = files_.find(key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool SimFiles::write(std::string_view path, std::string_view bytes) {
  const std::string k = key(path);
  if (readonly_.contains(k) || folders_.contains(k) || !folders_.contains(parentOf(k))) return false;
  files_[k] = std::string(bytes);
  writtenAt_[k] = ++writes_;
  return true;
}

void SimFiles::put(std::string_view path, std::string_view bytes) {
  const std::string k = key(path);
  if (folders_.contains(k)) return;
  makeFolders(parentOf(k));
  files_[k] = std::string(bytes);
  writtenAt_[k] = ++writes_;
}

void SimFiles::remove(std::string_view path) { files_.erase(key(path)); }

DWORD SimFiles::erase(std::string_view path) {
  const std::string k = key(path);
  if (!files_.contains(k)) return ERROR_FILE_NOT_FOUND;
  if (readonly_.contains(k)) return ERROR_ACCESS_DENIED;
  files_.erase(k);
  return 0;
}

DWORD SimFiles::makeFolder(std::string_view path) {
  const std::string k = key(path);
  if (folders_.contains(k) || files_.contains(k)) return ERROR_ALREADY_EXISTS;
  if (!folders_.contains(parentOf(k))) return ERROR_PATH_NOT_FOUND;
  folders_.insert(k);
  return 0;
}

bool SimFiles::isFolder(std::string_view path) const { return folders_.contains(key(path)); }

void SimFiles::setReadonly(std::string_view path) { readonly_.insert(key(path)); }

unsigned long long SimFiles::writtenAt(std::string_view path) const {
  const auto it = writtenAt_.find(key(path));
  return it == writtenAt_.end() ? 0 : it->second;
}

std::vector<std::string> SimFiles::filesStartingWith(std::string_view path) const {
  const std::string prefix = key(path);
  std::vector<std::string> out;
  for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix); ++it) {
    out.push_back(it->first);
  }
  return out;
}

}  // namespace tessellor::sim
