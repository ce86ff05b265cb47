// Window regions: region objects made by CreateRectRgn, filled by GetWindowRgn, read by
// GetRegionData.
#include <cstdint>
#include <cstring>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kFirstRegion = 0x7C000000;
constexpr DWORD RDH_RECTANGLES = 1;

// The rectangles that make up a region, as GetRegionData lists them. A complex region is
// modelled as its box less the lower right quarter: two rectangles.
std::vector<RECT> rectanglesOf(RegionKind kind, const RECT& box) {
  if (kind == RegionKind::None || IsRectEmpty(&box)) return {};
  if (kind == RegionKind::Simple) return {box};
  // Halved in 64 bits: a box as large as a window can be is wider than 32 bits can say.
  const auto mid = [](LONG from, LONG to) { return static_cast<LONG>(from + (std::int64_t{to} - from) / 2); };
  const LONG midX = mid(box.left, box.right);
  const LONG midY = mid(box.top, box.bottom);
  return {RECT{box.left, box.top, box.right, midY}, RECT{box.left, midY, midX, box.bottom}};
}

}  // namespace

HRGN SimDesktop::CreateRectRgn(int left, int top, int right, int bottom) {
  const std::uintptr_t handle = kFirstRegion + ++nextRegion_;
  regions_[handle] = Region{RegionKind::Simple, RECT{left, top, right, bottom}};
  return reinterpret_cast<HRGN>(handle);
}

int SimDesktop::GetWindowRgn(HWND hwnd, HRGN region) {
  const Window* w = find(hwnd);
  auto it = regions_.find(reinterpret_cast<std::uintptr_t>(region));
  if (w == nullptr || it == regions_.end()) return ERROR;
  switch (w->desc.region) {
    case RegionKind::None:
      return ERROR;
    case RegionKind::Simple:
      it->second = Region{RegionKind::Simple, w->desc.regionBox};
      return SIMPLEREGION;
    case RegionKind::Complex: {
      const RECT r = currentRect(*w);
      // The window's own size, in window coordinates.
      it->second = Region{RegionKind::Complex, RECT{0, 0, saturated(std::int64_t{r.right} - r.left),
                                                    saturated(std::int64_t{r.bottom} - r.top)}};
      return COMPLEXREGION;
    }
  }
  return ERROR;
}

DWORD SimDesktop::GetRegionData(HRGN region, DWORD count, RGNDATA* data) {
  auto it = regions_.find(reinterpret_cast<std::uintptr_t>(region));
  if (it == regions_.end()) return 0;
  const std::vector<RECT> rects = rectanglesOf(it->second.kind, it->second.box);
  const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (data == nullptr) return needed;
  if (count < needed) return 0;
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  header.rcBound = rects.empty() ? RECT{0, 0, 0, 0} : it->second.box;
  unsigned char* bytes = reinterpret_cast<unsigned char*>(data);
  std::memcpy(bytes, &header, sizeof header);
  if (!rects.empty()) std::memcpy(bytes + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  return needed;
}

BOOL SimDesktop::DeleteObject(HRGN region) {
  return regions_.erase(reinterpret_cast<std::uintptr_t>(region)) > 0 ? TRUE : FALSE;
}

}  // namespace tessellor::sim
