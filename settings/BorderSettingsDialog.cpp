#include "settings/BorderSettingsDialog.h"

#include <cmath>
#include <limits>

#include "resources/resource_ids.h"

namespace tessellor {

namespace {

constexpr double MIN_BAND_PIXELS = 120.0;

UINT pixels(double value) {
  if (!(value > 0.0)) return 0;  // also NaN
  if (value >= static_cast<double>(std::numeric_limits<UINT>::max())) return std::numeric_limits<UINT>::max();
  return static_cast<UINT>(value);
}

double readPixels(Platform& platform, HWND dialog, int id) {
  return static_cast<double>(platform.GetDlgItemInt(dialog, id, nullptr, FALSE));
}

void confirm(Platform& platform, HWND dialog, BorderSettingsSession& s) {
  const double north = readPixels(platform, dialog, IDC_NORTH_PIXELS);
  const double south = readPixels(platform, dialog, IDC_SOUTH_PIXELS);
  const double west = readPixels(platform, dialog, IDC_WEST_PIXELS);
  const double east = readPixels(platform, dialog, IDC_EAST_PIXELS);
  const double width = s.width;
  const double height = s.height;
  if (!bandSizesValid(north, south, west, east, width, height)) {
    platform.MessageBoxA(dialog, "Please enter a valid value for all members!", "Warning", MB_OK);
    return;
  }
  s.weights->eastWeight = east / width;
  s.weights->northWeight = north / height;
  s.weights->southWeight = south / height;
  s.weights->westWeight = west / width;
  platform.EndDialog(dialog, 0);
}

}  // namespace

bool bandSizesValid(double north, double south, double west, double east, double width, double height) {
  return north > MIN_BAND_PIXELS && south > MIN_BAND_PIXELS && west > MIN_BAND_PIXELS && east > MIN_BAND_PIXELS &&
         height - north - south > MIN_BAND_PIXELS && width - east - west > MIN_BAND_PIXELS;
}

INT_PTR borderSettingsDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* session = reinterpret_cast<BorderSettingsSession*>(lParam);
    platform.SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Platform& area = session->area != nullptr ? *session->area : platform;
    session->width = area.GetSystemMetrics(SM_CXMAXIMIZED);
    session->height = area.GetSystemMetrics(SM_CYMAXIMIZED);
    const BorderWeights& w = *session->weights;
    const double width = session->width;
    const double height = session->height;
    platform.SetDlgItemInt(dialog, IDC_NORTH_PIXELS, pixels(height * w.northWeight), FALSE);
    platform.SetDlgItemInt(dialog, IDC_SOUTH_PIXELS, pixels(height * w.southWeight), FALSE);
    platform.SetDlgItemInt(dialog, IDC_WEST_PIXELS, pixels(width * w.westWeight), FALSE);
    platform.SetDlgItemInt(dialog, IDC_EAST_PIXELS, pixels(width * w.eastWeight), FALSE);
    return TRUE;
  }
  auto* session = reinterpret_cast<BorderSettingsSession*>(platform.GetWindowLongPtrA(dialog, DWLP_USER));
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_CLOSE:
      platform.EndDialog(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_BS_OK:
          confirm(platform, dialog, *session);
          break;
        case IDC_BS_CANCEL:
          platform.EndDialog(dialog, 0);
          break;
        case IDC_RESET_WEIGHTS:
          // The boxes keep their numbers: a following OK stores those, Cancel keeps the reset.
          *session->weights = BorderWeights{};
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tessellor
