#include "settings/RestoreFile.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace tessellor {

namespace {

constexpr std::string_view kHeader = "Tessellor restore 1";
constexpr std::string_view kEnd = "\r\n";
// A window line with the longest class, every byte of it escaped, is under 1,200 bytes.
constexpr std::size_t kMaxBytes = MAX_KEPT_WINDOWS * 1200;

void appendClass(std::string& out, std::string_view windowClass) {
  for (const char c : windowClass) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E || c == '\\') {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
}

// Reads the fields of one line in order; any field that is not exactly what the writer writes
// spoils the whole reader.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : rest_(line) {}

  bool ok() const { return ok_; }
  bool atEnd() const { return rest_.empty(); }

  // The next field up to a blank (or the end); a field may not be empty.
  std::string_view field() {
    const std::size_t blank = rest_.find(' ');
    std::string_view f = rest_.substr(0, blank);
    rest_ = blank == std::string_view::npos ? std::string_view() : rest_.substr(blank + 1);
    if (f.empty()) ok_ = false;
    return f;
  }
  void word(std::string_view expected) {
    if (field() != expected) ok_ = false;
  }
  template <class Int>
  Int number(int base = 10) {
    const std::string_view f = field();
    Int value{};
    // from_chars takes a leading '-' for signed types only, and no '+' or blanks.
    const auto [end, error] = std::from_chars(f.data(), f.data() + f.size(), value, base);
    if (error != std::errc() || end != f.data() + f.size()) ok_ = false;
    return value;
  }
  // The rest of the line, unescaped.
  std::string className() {
    std::string out;
    for (std::size_t i = 0; i < rest_.size(); ++i) {
      const auto byte = static_cast<unsigned char>(rest_[i]);
      if (byte < 0x20 || byte > 0x7E) ok_ = false;
      if (rest_[i] != '\\') {
        out += rest_[i];
        continue;
      }
      unsigned value = 0;
      const std::string_view hex = rest_.substr(std::min(rest_.size(), i + 2), 2);
      const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
      if (rest_.substr(i + 1, 1) != "x" || hex.size() != 2 || error != std::errc() || end != hex.data() + 2) {
        ok_ = false;
        break;
      }
      out += static_cast<char>(value);
      i += 3;
    }
    rest_ = {};
    return out;
  }

 private:
  std::string_view rest_;
  bool ok_ = true;
};

std::optional<KeptWindow> parseWindowLine(std::string_view line) {
  LineReader r(line);
  KeptWindow w;
  r.word("window");
  const std::string_view handle = r.field();
  if (handle.substr(0, 2) != "0x") return std::nullopt;
  LineReader hex(handle.substr(2));
  w.id.hwnd = handleFromValue(hex.number<std::uintptr_t>(16));
  w.id.processId = r.number<DWORD>();
  w.id.processStart = r.number<std::uint64_t>();
  const std::string_view state = r.field();
  if (state != "normal" && state != "maximized") return std::nullopt;
  w.place.maximized = state == "maximized";
  w.place.normal.left = r.number<LONG>();
  w.place.normal.top = r.number<LONG>();
  w.place.normal.right = r.number<LONG>();
  w.place.normal.bottom = r.number<LONG>();
  w.id.windowClass = r.className();
  if (!r.ok() || !hex.ok() || w.id.hwnd == nullptr) return std::nullopt;
  return w;
}

}  // namespace

std::string restoreFileBytes(const std::vector<KeptWindow>& windows) {
  std::string out(kHeader);
  out += kEnd;
  for (const KeptWindow& w : windows) {
    const RECT& r = w.place.normal;
    char fields[200];
    std::snprintf(fields, sizeof fields, "window 0x%llx %lu %llu %s %ld %ld %ld %ld ",
                  static_cast<unsigned long long>(handleValue(w.id.hwnd)), static_cast<unsigned long>(w.id.processId),
                  static_cast<unsigned long long>(w.id.processStart), w.place.maximized ? "maximized" : "normal",
                  static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                  static_cast<long>(r.bottom));
    out += fields;
    appendClass(out, w.id.windowClass);
    out += kEnd;
  }
  out += "end " + std::to_string(windows.size());
  out += kEnd;
  return out;
}

std::optional<std::vector<KeptWindow>> parseRestoreFile(std::string_view bytes) {
  const std::string_view original = bytes;
  if (bytes.size() > kMaxBytes) return std::nullopt;
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find(kEnd);
    if (end == std::string_view::npos) return std::nullopt;  // cut short: no line end
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + kEnd.size());
    if (lines.size() > MAX_KEPT_WINDOWS + 2) return std::nullopt;
  }
  if (lines.size() < 2 || lines.front() != kHeader) return std::nullopt;
  std::vector<KeptWindow> windows;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    std::optional<KeptWindow> w = parseWindowLine(lines[i]);
    if (!w) return std::nullopt;
    // The journal names each window once.
    for (const KeptWindow& before : windows) {
      if (before.id.hwnd == w->id.hwnd) return std::nullopt;
    }
    windows.push_back(std::move(*w));
  }
  LineReader last(lines.back());
  last.word("end");
  const auto count = last.number<std::size_t>();
  if (!last.ok() || !last.atEnd() || count != windows.size()) return std::nullopt;
  // Only bytes that the writer makes of these windows are a journal: no leading zeros, no other
  // letter case, no second spelling of anything.
  if (restoreFileBytes(windows) != original) return std::nullopt;
  return windows;
}

}  // namespace tessellor
