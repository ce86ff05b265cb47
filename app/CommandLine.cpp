#include "app/CommandLine.h"

#include <cctype>
#include <string_view>

#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "tessellor_version.h"

namespace tessellor {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// The main dialog of a copy running in another process: the band settings dialog has the same
// caption but an owner.
HWND runningDialog(Platform& p) {
  const DWORD self = p.GetCurrentProcessId();
  HWND dialog = nullptr;
  while ((dialog = p.FindWindowExA(nullptr, dialog, "#32770", "Tessellor")) != nullptr) {
    DWORD process = 0;
    p.GetWindowThreadProcessId(dialog, &process);
    if (p.GetWindow(dialog, GW_OWNER) == nullptr && process != self) return dialog;
  }
  return nullptr;
}

// Asks the running copy to end as its "Close" does and waits until its process has ended.
int closeRunningCopy(Platform& p) {
  const HWND dialog = runningDialog(p);
  if (dialog == nullptr) return EXIT_DONE;
  DWORD process = 0;
  p.GetWindowThreadProcessId(dialog, &process);
  // A copy running as administrator lets a standard process neither wait for it nor post to it.
  HANDLE handle = p.OpenProcess(SYNCHRONIZE, FALSE, process);
  if (handle == nullptr) return EXIT_STILL_RUNNING;
  int result = EXIT_STILL_RUNNING;
  if (p.PostMessageA(dialog, WM_COMMAND, IDM_TRAY_CLOSE, 0) &&
      p.WaitForSingleObject(handle, CLOSE_WAIT_MS) == WAIT_OBJECT_0) {
    result = EXIT_DONE;
  }
  p.CloseHandle(handle);
  return result;
}

int showUsage(Platform& p, std::string_view version, std::string_view unknown) {
  std::string text;
  if (!unknown.empty()) text.append("Tessellor does not know ").append(unknown).append(".\n\n");
  text += usageText(version);
  const std::string caption = std::string("Tessellor ").append(version);
  p.MessageBoxA(nullptr, text.c_str(), caption.c_str(), unknown.empty() ? MB_ICONINFORMATION : MB_ICONWARNING);
  return unknown.empty() ? EXIT_DONE : EXIT_UNKNOWN_SWITCH;
}

std::string_view trimmed(const char* commandLine) {
  std::string_view line = commandLine != nullptr ? commandLine : "";
  const auto first = line.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  line.remove_prefix(first);
  return line.substr(0, line.find_last_not_of(" \t\r\n") + 1);
}

}  // namespace

Switch parseSwitch(const char* commandLine) {
  const std::string_view line = trimmed(commandLine);
  if (line.empty()) return Switch::Start;
  if (line.size() < 2 || (line[0] != '/' && line[0] != '-')) return Switch::Unknown;
  const std::string_view word = line.substr(1);
  if (sameLetters(word, "close")) return Switch::Close;
  if (sameLetters(word, "uninstall")) return Switch::Uninstall;
  if (word == "?" || sameLetters(word, "help")) return Switch::Usage;
  return Switch::Unknown;
}

std::string usageText(std::string_view version) {
  return std::string("Tessellor ").append(version) +
         " tiles your windows from the notification area.\n\n"
         "tessellor.exe\n"
         "    starts Tessellor, or opens the settings of the one running.\n"
         "tessellor.exe /close\n"
         "    asks the running Tessellor to end as its Close does (the windows stay where they are and\n"
         "    can be put back after its next start), and waits until it has, at most 10 seconds.\n"
         "tessellor.exe /uninstall\n"
         "    the same, then removes Tessellor's autostart value when it starts this tessellor.exe; the\n"
         "    installer runs it as it removes Tessellor.\n"
         "tessellor.exe /?\n"
         "    shows this.\n\n"
         "Exit codes: 0 done (also when no Tessellor was running), 1 the running Tessellor could not\n"
         "be asked or did not end in time, 2 an unknown option.\n\n" TESSELLOR_COPYRIGHT;
}

std::optional<int> runSwitch(Platform& platform, const char* commandLine, std::string_view version) {
  switch (parseSwitch(commandLine)) {
    case Switch::Start:
      return std::nullopt;
    case Switch::Close:
      return closeRunningCopy(platform);
    case Switch::Uninstall: {
      const int closed = closeRunningCopy(platform);
      char exePath[MAX_PATH] = {};
      platform.GetModuleFileNameA(platform.GetModuleHandleA(nullptr), exePath, sizeof exePath);
      exePath[sizeof exePath - 1] = '\0';
      removeAutostartOf(platform, exePath);
      return closed;
    }
    case Switch::Usage:
      return showUsage(platform, version, {});
    case Switch::Unknown:
      break;
  }
  return showUsage(platform, version, trimmed(commandLine));
}

}  // namespace tessellor
