#include "tools/sim/SvgSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessellor::sim {

void writeSvgSnapshot(const SimDesktop& desktop, std::ostream& out) {
  const int width = desktop.screenWidth();
  const int height = desktop.screenHeight();
  std::vector<HWND> shown;
  for (HWND hwnd : desktop.zOrder()) {
    // A minimised window sits far off screen; it is not part of the picture.
    if (!desktop.isHidden(hwnd) && !desktop.isMinimized(hwnd)) shown.push_back(hwnd);
  }
  std::reverse(shown.begin(), shown.end());

  // Every monitor there, the primary first: (0, 0, W, H) of the screen.
  std::vector<std::pair<std::string, RECT>> monitors;
  for (const std::string& name : desktop.monitorNames()) {
    RECT bounds{}, work{};
    if (name == "primary") {
      monitors.emplace_back(name, RECT{0, 0, width, height});
    } else if (desktop.monitorBounds(name, bounds, work)) {
      monitors.emplace_back(name, bounds);
    }
  }
  RECT view{0, 0, width, height};
  for (const auto& [name, r] : monitors) {
    view = RECT{std::min(view.left, r.left), std::min(view.top, r.top), std::max(view.right, r.right),
                std::max(view.bottom, r.bottom)};
  }
  for (HWND hwnd : shown) {
    const RECT r = desktop.rectOf(hwnd);
    view = RECT{std::min(view.left, r.left), std::min(view.top, r.top), std::max(view.right, r.right),
                std::max(view.bottom, r.bottom)};
  }
  // In 64 bits: a window may span the whole 32-bit range.
  // Room above for the monitors' names, where there are several.
  const std::int64_t margin = monitors.size() > 1 ? 36 : 10;
  const std::int64_t viewWidth = std::int64_t{view.right} - view.left + 2 * margin;
  const std::int64_t viewHeight = std::int64_t{view.bottom} - view.top + 2 * margin;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << view.left - margin << ' ' << view.top - margin << ' '
      << viewWidth << ' ' << viewHeight << "\" width=\"" << viewWidth << "\" height=\"" << viewHeight << "\">\n";
  for (const auto& [name, r] : monitors) {
    out << "  <rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << std::int64_t{r.right} - r.left
        << "\" height=\"" << std::int64_t{r.bottom} - r.top
        << "\" fill=\"#dde4ea\" stroke=\"#445\" stroke-width=\"2\"/>\n";
    // Only where there are several: one monitor needs no name.
    if (monitors.size() > 1) {
      out << "  <text x=\"" << std::int64_t{r.left} + 8 << "\" y=\"" << std::int64_t{r.top} - 10
          << "\" font-family=\"sans-serif\" font-size=\"22\" fill=\"#445\">" << name << "</text>\n";
    }
  }
  for (HWND hwnd : shown) {
    const RECT r = desktop.rectOf(hwnd);
    const bool foreground = desktop.foreground() == hwnd;
    out << "  <g>\n";
    out << "    <rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << std::int64_t{r.right} - r.left
        << "\" height=\"" << std::int64_t{r.bottom} - r.top << "\" fill=\"#ffffff\" fill-opacity=\"0.8\" stroke=\""
        << (foreground ? "#1f6fd0\" stroke-width=\"6\"" : "#333333\" stroke-width=\"2\"") << "/>\n";
    // Window names are [A-Za-z0-9_.-]+: nothing in them needs escaping.
    out << "    <text x=\"" << std::int64_t{r.left} + 8 << "\" y=\"" << std::int64_t{r.top} + 24
        << "\" font-family=\"sans-serif\" font-size=\"18\">" << desktop.nameOf(hwnd)
        << (foreground ? " (foreground)" : "") << "</text>\n";
    out << "  </g>\n";
  }
  out << "</svg>\n";
}

}  // namespace tessellor::sim
