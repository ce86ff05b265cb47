// What tessellor.exe does with a switch on its command line, before anything of the tray program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessellor {

// The switches, each taken with / or - and in any letter case. Start: no switch, the tray program.
enum class Switch { Start, Close, Uninstall, Usage, Unknown };
Switch parseSwitch(const char* commandLine);

// Exit codes of the switches.
inline constexpr int EXIT_DONE = 0;           // done; for /close also when no copy was running
inline constexpr int EXIT_STILL_RUNNING = 1;  // the running copy could not be asked, or did not end
inline constexpr int EXIT_UNKNOWN_SWITCH = 2;
// How long /close waits for the running copy to end.
inline constexpr DWORD CLOSE_WAIT_MS = 10000;

// Does the work of a switch and answers the process's exit code; nothing for Start, which the caller
// runs. /close and /uninstall show nothing, so that an installer or a script is never held up;
// /? and an unknown switch show a message box with the usage and the version.
// `version` is the one of the program file that runs.
std::optional<int> runSwitch(Platform& platform, const char* commandLine, std::string_view version);

// The text of the usage box.
std::string usageText(std::string_view version);

}  // namespace tessellor
