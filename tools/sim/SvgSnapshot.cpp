#include "tools/sim/SvgSnapshot.h"

#include <algorithm>
#include <cstdint>
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

  RECT view{0, 0, width, height};
  for (HWND hwnd : shown) {
    const RECT r = desktop.rectOf(hwnd);
    view = RECT{std::min(view.left, r.left), std::min(view.top, r.top), std::max(view.right, r.right),
                std::max(view.bottom, r.bottom)};
  }
  // In 64 bits: a window may span the whole 32-bit range.
  const std::int64_t margin = 10;
  const std::int64_t viewWidth = std::int64_t{view.right} - view.left + 2 * margin;
  const std::int64_t viewHeight = std::int64_t{view.bottom} - view.top + 2 * margin;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << view.left - margin << ' ' << view.top - margin << ' '
      << viewWidth << ' ' << viewHeight << "\" width=\"" << viewWidth << "\" height=\"" << viewHeight << "\">\n";
  out << "  <rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height
      << "\" fill=\"#dde4ea\" stroke=\"#445\" stroke-width=\"2\"/>\n";
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
