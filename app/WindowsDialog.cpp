#include "app/WindowsDialog.h"

#include <cstring>

#include "app/DontTile.h"
#include "app/MainDialog.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"
#include "settings/ApplicationWindow.h"

namespace tessellor {

namespace {

constexpr const char* kSideNames[] = {"North", "West", "East", "South", "Centre"};

// Where a monitor lies, for a desktop of several: the primary one, or beside it.
std::string monitorWords(Platform& p, HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  MONITORINFO primary{};
  primary.cbSize = sizeof primary;
  const HMONITOR first = p.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
  if (monitor == first || !p.GetMonitorInfoA(monitor, &info) || !p.GetMonitorInfoA(first, &primary)) {
    return "the primary monitor";
  }
  const RECT& m = info.rcMonitor;
  const RECT& o = primary.rcMonitor;
  if (m.left >= o.right) return "the monitor to the right";
  if (m.right <= o.left) return "the monitor to the left";
  if (m.bottom <= o.top) return "the monitor above";
  if (m.top >= o.bottom) return "the monitor below";
  return "another monitor";
}

std::string tiledWords(Shell& shell, HWND hwnd, const RunningLayout& layout) {
  std::string text = "Tiled: ";
  if (const BorderLayout* border = layout.engine.border()) {
    const int side = border->sideOf(hwnd);
    text += std::string("Border Layout, ") + (side >= North && side <= Centre ? kSideNames[side] : "");
  } else if (const GridLayout* grid = layout.engine.grid()) {
    std::size_t cell = 0;
    while (cell < grid->windows.size() && grid->windows[cell] != hwnd) ++cell;
    text += "Grid Layout, cell " + std::to_string(cell + 1);
  }
  if (shell.platform.GetSystemMetrics(SM_CMONITORS) > 1)
    text += ", on " + monitorWords(shell.platform, layout.monitor());
  return text;
}

struct Listing {
  Shell& shell;
  DWORD ours;
  std::vector<WindowsSession::Row> rows;
};

BOOL listWindow(HWND hwnd, LPARAM param) {
  Listing& listing = *reinterpret_cast<Listing*>(param);
  Shell& shell = listing.shell;
  Platform& p = shell.platform;
  DWORD process = 0;
  p.GetWindowThreadProcessId(hwnd, &process);
  const bool held = layoutHolding(shell, hwnd) != nullptr;
  if (process == listing.ours || (!held && (!p.IsWindowVisible(hwnd) || !isTaskbarKind(p, hwnd)))) return TRUE;
  WindowsSession::Row row{hwnd, {}, {}, {}};
  char name[100] = {};
  shell.programNames.programName(p, hwnd, name, sizeof name);
  row.program = name;
  char title[100] = {};
  p.GetWindowTextA(hwnd, title, sizeof title);
  row.title = title;
  row.what = whatTessellorDoes(shell, hwnd, whyNotTiled(shell, hwnd));
  listing.rows.push_back(std::move(row));
  return TRUE;
}

void show(Platform& p, HWND dialog, WindowsSession& session) {
  session.rows = listWindows(*session.shell);
  p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (WindowsSession::Row& row : session.rows) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = row.program.data();
    p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = row.title.data();
    p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = row.what.data();
    p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&item));
    ++index;
  }
  for (int column = 0; column < 3; ++column) {
    p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                          LVSCW_AUTOSIZE_USEHEADER);
  }
}

void init(Platform& p, HWND dialog, WindowsSession& session) {
  p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                        LVS_EX_FULLROWSELECT);
  constexpr const char* kColumns[] = {"Program", "Title", "Tessellor"};
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH;
    header.cx = 120;
    header.pszText = const_cast<char*>(kColumns[column]);
    p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                          reinterpret_cast<LPARAM>(&header));
  }
  show(p, dialog, session);
}

// The whole list as text, a window a line, its three columns apart by tabs.
void copy(Platform& p, HWND dialog, const WindowsSession& session) {
  std::string text;
  for (const WindowsSession::Row& row : session.rows) text += row.program + '\t' + row.title + '\t' + row.what + "\r\n";
  if (!p.OpenClipboard(dialog)) return;
  p.EmptyClipboard();
  HGLOBAL memory = p.GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  void* bytes = memory != nullptr ? p.GlobalLock(memory) : nullptr;
  if (bytes != nullptr) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    p.GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it.
    if (p.SetClipboardData(CF_TEXT, memory) == nullptr) p.GlobalFree(memory);
  } else if (memory != nullptr) {
    p.GlobalFree(memory);
  }
  p.CloseClipboard();
}

// A click in this dialog that changes the layouts is an event of its own: what it changes is placed
// at once, not when the main dialog next hears of something.
void leaveAlone(Shell& shell, const std::string& entry) {
  shell.reads.forget();
  shell.current = nullptr;
  excludeEntry(shell, entry);
  finishEvent(shell);
  shell.reads.forget();
}

const WindowsSession::Row* selected(Platform& p, HWND dialog, const WindowsSession& session) {
  const auto index = static_cast<INT_PTR>(
      p.SendDlgItemMessageA(dialog, IDC_WINDOWS_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (index < 0 || static_cast<std::size_t>(index) >= session.rows.size()) return nullptr;
  return &session.rows[static_cast<std::size_t>(index)];
}

void command(Platform& p, HWND dialog, WindowsSession& session, WORD id) {
  switch (id) {
    case IDC_WINDOWS_REFRESH:
      show(p, dialog, session);
      break;
    case IDC_WINDOWS_COPY:
      copy(p, dialog, session);
      break;
    case IDC_WINDOWS_EXCLUDE_PROGRAM:
      if (const auto* row = selected(p, dialog, session); row != nullptr && !row->program.empty()) {
        leaveAlone(*session.shell, row->program);
        show(p, dialog, session);
      }
      break;
    case IDC_WINDOWS_EXCLUDE_TITLE:
      // A title of blanks alone would be no rule that "ADD" takes either.
      if (const auto* row = selected(p, dialog, session);
          row != nullptr && row->title.find_first_not_of(" \t") != std::string::npos) {
        leaveAlone(*session.shell, "title:" + row->title);
        show(p, dialog, session);
      }
      break;
    case IDC_WINDOWS_CLOSE:
      p.EndDialog(dialog, IDCANCEL);
      break;
    default:
      break;
  }
}

}  // namespace

std::string whatTessellorDoes(Shell& shell, HWND hwnd, const WhyAnswer& answer) {
  switch (answer.why) {
    case Why::Tiled:
      return tiledWords(shell, hwnd, *answer.layout);
    case Why::FullScreen:
      return "Full-screen";
    case Why::Hidden:
      return "Hidden by its program";
    case Why::Minimized:
      return "Minimised";
    case Why::OtherDesktop:
      return "On another virtual desktop";
    case Why::Cloaked:
      return "Cloaked: a suspended app";
    case Why::Tool:
      return "A tool window or a dialog, not an application window";
    case Why::FixedSize:
      return "Has no sizing border";
    case Why::HigherRights:
      return "Runs as administrator: run Tessellor as administrator to tile it";
    case Why::Refused:
      return "Windows refused to move it";
    case Why::Excluded:
      return "Excluded by " + answer.rule;
    case Why::NoLayout:
      return "No layout runs";
    case Why::OtherMonitor:
      return "No layout runs on its monitor";
    case Why::Maximized:
      return "Maximised";
    case Why::NotTaken:
      break;
  }
  return answer.eligible ? "Not in the layout: send it with Alt+arrows" : "Not taken";
}

std::vector<WindowsSession::Row> listWindows(Shell& shell) {
  Listing listing{shell, 0, {}};
  shell.platform.GetWindowThreadProcessId(shell.mainDialog, &listing.ours);
  shell.platform.EnumWindows(listWindow, reinterpret_cast<LPARAM>(&listing));
  return std::move(listing.rows);
}

INT_PTR windowsDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    platform.SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    init(platform, dialog, *reinterpret_cast<WindowsSession*>(lParam));
    return TRUE;
  }
  auto* session = reinterpret_cast<WindowsSession*>(platform.GetWindowLongPtrA(dialog, DWLP_USER));
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_CLOSE:
      platform.EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_COMMAND:
      command(platform, dialog, *session, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tessellor
