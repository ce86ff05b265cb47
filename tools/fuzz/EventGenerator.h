// Random scenario lines: other programs' windows coming, going, moving and resizing, hook messages
// for any handle, the twelve hotkeys, dialog commands, border settings, screen changes. Each line is
// chosen from what the desktop and the program show at that moment, so every line is well formed.
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "tools/fuzz/Random.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::fuzz {

struct GeneratorOptions {
  // Work areas, a second monitor, invisible frames, cloaked, tool, owned and elevated windows, and
  // windows hidden, shown, cloaked and brought back by their own programs. Off, a seed plays the
  // lines it always played.
  bool windows10 = false;
  // Every call of the program's door that can fail fails once in a hundred, and the runs check that
  // the program rides it out.
  bool faults = false;
};

class EventGenerator {
 public:
  // Seeds whose number is 3 modulo 4 also use coordinates near the ends of the 32-bit range.
  EventGenerator(std::uint64_t seed, sim::ScenarioRunner& runner, GeneratorOptions options = {});

  // The next line for the runner, which must be ready to take it (its previous line has settled).
  std::string next();

  // The largest absolute coordinate or size any line so far has written.
  long long magnitude() const { return magnitude_; }

 private:
  std::string offline();
  std::string online();
  std::string startLayout();
  std::string menuLine();
  std::string borderSettingsLine();
  std::string mainDialogLine();
  std::string commandLine();

  std::string newWindow();
  std::string destroyWindow();
  std::string drag();
  std::string resize();
  std::string setRect();
  std::string stateChange();
  std::string foreground();
  std::string hook();
  std::string key();
  std::string screen();
  std::string minsize();
  std::string settingsFile();

  // The desktop of Windows 10 and 11, with GeneratorOptions::windows10 only.
  std::string modernDesktopLine();
  std::string modernWindowOptions();
  std::string workarea();
  std::string monitor();
  std::string ownProgramLine();
  std::string virtualDesktopLine();
  std::string dragOntoAnotherMonitor();

  // A living window of another program (the program's own dialog only when `dialogToo`), or null.
  HWND someWindow(bool dialogToo);
  int otherWindows();
  std::string nameOf(HWND hwnd);
  std::string unusedName();

  // Geometry: each value written goes through `g`, which keeps magnitude_.
  long long g(long long value);
  long long position(long long extent);
  long long length(long long extent);
  std::string rectWords(long long l, long long t, long long r, long long b);
  long long extreme();

  sim::SimDesktop& desktop() { return runner_.desktop(); }

  Random random_;
  sim::ScenarioRunner& runner_;
  bool extremes_;
  GeneratorOptions options_;
  std::set<std::string> monitors_;  // the monitors added and not yet removed
  bool started_ = false;
  bool wroteSettings_ = false;
  std::set<std::string> everCreated_;
  std::deque<std::string> follow_;  // lines that finish what the last one began
  int nextName_ = 0;
  long long magnitude_ = 0;
};

}  // namespace tessellor::fuzz
