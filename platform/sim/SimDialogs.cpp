// The program's dialogs and their controls. The main dialog (template 101) is a desktop window; the
// border settings dialog (template 109) and the Keys dialog (template 110) are modal states with
// handles outside the window range.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"
#include "resources/resource_ids.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kFirstModal = 0x7E000000;
constexpr std::uintptr_t kFirstControl = 0x7F000000;

struct ControlTemplate {
  int id;
  ControlKind kind;
};

// id                     kind
constexpr ControlTemplate kMainControls[] = {
    {IDC_OK, ControlKind::Button},
    {IDC_CLOSE, ControlKind::Button},
    {IDC_GRID_LAYOUT, ControlKind::Button},
    {IDC_DISABLE_LAYOUT, ControlKind::Button},
    {IDC_EXCLUDED_LIST, ControlKind::ListBox},
    {IDC_EXE_NAME, ControlKind::Edit},
    {IDC_LAYOUT_STATUS, ControlKind::Edit},
    {IDC_ADD_EXE, ControlKind::Button},
    {IDC_REMOVE_EXE, ControlKind::Button},
    {IDC_AUTO_ADD, ControlKind::CheckBox},
    {IDC_NO_AUTOSTART, ControlKind::CheckBox},
    {IDC_BORDER_LAYOUT, ControlKind::Button},
    {IDC_BORDER_SETTINGS, ControlKind::Button},
    {IDC_WINDOWS, ControlKind::Button},
};

constexpr ControlTemplate kWindowsControls[] = {
    {IDC_WINDOWS_LIST, ControlKind::ListView},        {IDC_WINDOWS_REFRESH, ControlKind::Button},
    {IDC_WINDOWS_COPY, ControlKind::Button},          {IDC_WINDOWS_EXCLUDE_PROGRAM, ControlKind::Button},
    {IDC_WINDOWS_EXCLUDE_TITLE, ControlKind::Button}, {IDC_WINDOWS_CLOSE, ControlKind::Button},
};

constexpr ControlTemplate kBorderSettingsControls[] = {
    {IDC_BS_OK, ControlKind::Button},         {IDC_BS_CANCEL, ControlKind::Button},
    {IDC_RESET_WEIGHTS, ControlKind::Button}, {IDC_NORTH_PIXELS, ControlKind::Edit},
    {IDC_SOUTH_PIXELS, ControlKind::Edit},    {IDC_WEST_PIXELS, ControlKind::Edit},
    {IDC_EAST_PIXELS, ControlKind::Edit},
};

// The Keys dialog: a row of three controls for each of the twelve hotkeys, then its buttons.
std::vector<ControlTemplate> keysControls() {
  std::vector<ControlTemplate> controls{{IDC_KEYS_OK, ControlKind::Button},
                                        {IDC_KEYS_CANCEL, ControlKind::Button},
                                        {IDC_KEYS_DEFAULTS, ControlKind::Button}};
  for (int row = 0; row < 12; ++row) {
    controls.push_back({IDC_KEY_LABEL_FIRST + row, ControlKind::Static});
    controls.push_back({IDC_KEY_FIRST + row, ControlKind::Hotkey});
    controls.push_back({IDC_KEY_NONE_FIRST + row, ControlKind::Button});
    controls.push_back({IDC_KEY_MARK_FIRST + row, ControlKind::Static});
  }
  return controls;
}

bool equalsIgnoringAsciiCase(const std::string& a, const char* b) {
  const std::size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// GetDlgItemInt without a success flag: blanks, then digits to the end, within 32 bits.
std::optional<UINT> parseUnsigned(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i == text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<UINT>(value);
}

}  // namespace

// ---- Creating and ending dialogs ------------------------------------------------------------------

void SimDesktop::addDialog(HWND handle, int templateId, DLGPROC proc) {
  Dialog& d = dialogs_[handleValue(handle)];
  d = Dialog{};
  d.proc = proc;
  const std::uintptr_t serial = ++dialogSerial_;
  auto addControls = [&](const auto& table) {
    for (const ControlTemplate& t : table) {
      Control c;
      c.kind = t.kind;
      c.handle = handleFromValue(kFirstControl + (serial << 16) + static_cast<std::uintptr_t>(t.id));
      d.controls[t.id] = c;
    }
  };
  if (templateId == IDD_MAIN_DIALOG) addControls(kMainControls);
  if (templateId == IDD_BORDER_SETTINGS) addControls(kBorderSettingsControls);
  if (templateId == IDD_KEYS) addControls(keysControls());
  if (templateId == IDD_WINDOWS) addControls(kWindowsControls);
}

HWND SimDesktop::CreateDialogParamA(HINSTANCE /*instance*/, LPCSTR templateName, HWND /*parent*/, DLGPROC proc,
                                    LPARAM initParam) {
  if (!IS_INTRESOURCE(templateName) || resourceId(templateName) != IDD_MAIN_DIALOG) return nullptr;
  // The process has started: every file written before is older than it.
  programStartWrites_ = files_.writeCount();
  WindowSpec desc;
  desc.name = "Tessellor";
  desc.title = "Tessellor";
  desc.exe = "tessellor.exe";
  desc.className = "#32770";  // the system's dialog class
  desc.at = RECT{0, 0, 393, 459};
  desc.hidden = true;
  const HWND handle = createWindow(desc);
  find(handle)->ownedByProgram = true;
  // Its template has DS_SETFONT: the procedure hears WM_SETFONT before the controls are made.
  proc(programDoor_ != nullptr ? *programDoor_ : *this, handle, WM_SETFONT, 0, FALSE);
  addDialog(handle, IDD_MAIN_DIALOG, proc);
  mainDialog_ = handle;
  callDialog(handle, WM_INITDIALOG, 0, initParam);
  return handle;
}

BOOL SimDesktop::InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (controls == nullptr || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  commonControls_ |= controls->dwICC;  // each call adds to the ones before
  return TRUE;
}

INT_PTR SimDesktop::DialogBoxParamA(HINSTANCE /*instance*/, LPCSTR templateName, HWND /*parent*/, DLGPROC proc,
                                    LPARAM initParam) {
  if (!IS_INTRESOURCE(templateName)) return -1;
  const int templateId = resourceId(templateName);
  if (templateId != IDD_BORDER_SETTINGS && templateId != IDD_KEYS && templateId != IDD_WINDOWS) return -1;
  // A control whose class is not registered fails the whole dialog, as the dialog manager's does.
  if (templateId == IDD_KEYS && (commonControls_ & ICC_HOTKEY_CLASS) == 0) return -1;
  if (templateId == IDD_WINDOWS && (commonControls_ & ICC_LISTVIEW_CLASSES) == 0) return -1;
  const HWND handle = handleFromValue(kFirstModal + dialogSerial_ + 1);
  addDialog(handle, templateId, proc);
  modalStack_.push_back(handle);
  callDialog(handle, WM_INITDIALOG, 0, initParam);
  // The modal loop: the main dialog's messages still get dispatched while this one is open.
  while (dialogOf(handle) != nullptr && !dialogOf(handle)->ended) {
    MSG msg{};
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // As Windows does, the quit message ends the dialog and is put back for the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(handle, &msg)) DispatchMessageA(&msg);
  }
  const Dialog* d = dialogOf(handle);
  const INT_PTR result = d != nullptr && d->ended ? d->result : 0;
  std::erase(modalStack_, handle);
  dialogs_.erase(handleValue(handle));
  return result;
}

BOOL SimDesktop::EndDialog(HWND dialog, INT_PTR result) {
  Dialog* d = dialogOf(dialog);
  if (d == nullptr) return FALSE;
  d->ended = true;
  d->result = result;
  if (Window* w = find(dialog)) hide(*w);
  return TRUE;
}

HWND SimDesktop::topDialog() const { return modalStack_.empty() ? mainDialog_ : modalStack_.back(); }

ControlKind SimDesktop::controlKind(HWND dialog, int id) const {
  const Dialog* d = dialogOf(dialog);
  if (d == nullptr) return ControlKind::None;
  auto it = d->controls.find(id);
  return it == d->controls.end() ? ControlKind::None : it->second.kind;
}

// ---- Controls ---------------------------------------------------------------------------------------

HWND SimDesktop::GetDlgItem(HWND dialog, int id) {
  const Control* c = controlOf(dialog, id);
  return c != nullptr ? c->handle : nullptr;
}

BOOL SimDesktop::SetDlgItemTextA(HWND dialog, int id, const char* text) {
  Control* c = controlOf(dialog, id);
  if (c == nullptr) return FALSE;
  c->text = text != nullptr ? text : "";
  // A one-line edit box tells its dialog of a new text at once, as one the user typed in: the
  // dialog's procedure runs again inside the call that set it.
  if (c->kind == ControlKind::Edit) {
    const auto control = reinterpret_cast<LPARAM>(c->handle);
    callDialog(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), EN_UPDATE), control);
    callDialog(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), EN_CHANGE), control);
  }
  return TRUE;
}

UINT SimDesktop::GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) {
  const Control* c = controlOf(dialog, id);
  return static_cast<UINT>(copyText(c != nullptr ? c->text : std::string(), text, maxCount));
}

BOOL SimDesktop::SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  if (isSigned) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  } else {
    std::snprintf(text, sizeof text, "%u", value);
  }
  return SetDlgItemTextA(dialog, id, text);
}

UINT SimDesktop::GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  const Control* c = controlOf(dialog, id);
  std::optional<UINT> value;
  if (c != nullptr) {
    std::string text = c->text;
    bool negative = false;
    if (isSigned) {
      const std::size_t at = text.find_first_not_of(" \t");
      if (at != std::string::npos && text[at] == '-') {
        negative = true;
        text.erase(at, 1);
      }
    }
    value = parseUnsigned(text);
    if (value && isSigned && *value > (negative ? 0x80000000u : 0x7FFFFFFFu)) value.reset();
    if (value && negative) value = static_cast<UINT>(0u - *value);
  }
  if (translated != nullptr) *translated = value ? TRUE : FALSE;
  return value.value_or(0);
}

LRESULT SimDesktop::SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* c = controlOf(dialog, id);
  return c != nullptr ? controlMessage(*c, message, wParam, lParam) : 0;
}

LRESULT SimDesktop::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Control* c = controlOf(hwnd)) return controlMessage(*c, message, wParam, lParam);
  if (dialogOf(hwnd) != nullptr) return callDialog(hwnd, message, wParam, lParam);
  return 0;
}

LRESULT SimDesktop::controlMessage(Control& c, UINT message, WPARAM wParam, LPARAM lParam) {
  const int count = static_cast<int>(c.items.size());
  const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
  const bool inRange = index >= 0 && index < count;
  switch (message) {
    case BM_GETCHECK:
      return c.check;
    case BM_SETCHECK:
      c.check = static_cast<LRESULT>(wParam);
      return 0;
    case LB_ADDSTRING:
      c.items.emplace_back(reinterpret_cast<const char*>(lParam));
      return count;
    case LB_DELETESTRING:
      if (!inRange) return LB_ERR;
      c.items.erase(c.items.begin() + index);
      if (c.selection == index) {
        c.selection = -1;
      } else if (c.selection > index) {
        --c.selection;
      }
      return count - 1;
    case LB_RESETCONTENT:
      c.items.clear();
      c.selection = -1;
      return 0;
    case LB_GETTEXT:
      if (!inRange) return LB_ERR;
      std::memcpy(reinterpret_cast<char*>(lParam), c.items[index].c_str(), c.items[index].size() + 1);
      return static_cast<LRESULT>(c.items[index].size());
    case LB_GETTEXTLEN:
      return inRange ? static_cast<LRESULT>(c.items[index].size()) : LB_ERR;
    case LB_GETCOUNT:
      return count;
    case LB_GETCURSEL:
      return c.selection >= 0 ? c.selection : LB_ERR;
    case LB_SETCURSEL:
      c.selection = inRange ? index : -1;
      return inRange ? index : LB_ERR;
    case HKM_SETHOTKEY:
      c.hotkey = static_cast<WORD>(wParam);
      return 0;
    case HKM_GETHOTKEY:
      return c.hotkey;
    case HKM_SETRULES:
      c.invalidCombinations = static_cast<WORD>(wParam);
      c.defaultModifiers = static_cast<WORD>(lParam);
      return 0;
    case LVM_INSERTCOLUMNA:
    case LVM_SETCOLUMNWIDTH:
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return 0;
    case LVM_DELETEALLITEMS:
      c.rows.clear();
      c.selection = -1;
      return TRUE;
    case LVM_GETITEMCOUNT:
      return static_cast<LRESULT>(c.rows.size());
    case LVM_INSERTITEMA: {
      const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
      if (item == nullptr) return -1;
      const int at = std::clamp(item->iItem, 0, static_cast<int>(c.rows.size()));
      c.rows.insert(c.rows.begin() + at, {item->pszText != nullptr ? item->pszText : ""});
      return at;
    }
    case LVM_SETITEMTEXTA: {
      const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
      const auto row = static_cast<std::size_t>(wParam);
      if (item == nullptr || row >= c.rows.size() || item->iSubItem < 0) return FALSE;
      std::vector<std::string>& columns = c.rows[row];
      if (columns.size() <= static_cast<std::size_t>(item->iSubItem)) columns.resize(item->iSubItem + 1u);
      columns[static_cast<std::size_t>(item->iSubItem)] = item->pszText != nullptr ? item->pszText : "";
      return TRUE;
    }
    case LVM_GETITEMTEXTA: {
      auto* item = reinterpret_cast<LVITEMA*>(lParam);
      const auto row = static_cast<std::size_t>(wParam);
      if (item == nullptr || row >= c.rows.size() || item->pszText == nullptr || item->cchTextMax <= 0) return 0;
      const std::vector<std::string>& columns = c.rows[row];
      const auto column = static_cast<std::size_t>(item->iSubItem);
      const std::string text = column < columns.size() ? columns[column] : "";
      const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
      std::memcpy(item->pszText, text.data(), copied);
      item->pszText[copied] = '\0';
      return static_cast<LRESULT>(copied);
    }
    case LVM_GETNEXTITEM:
      // Only the selected one is asked for, from the top.
      return (lParam & LVNI_SELECTED) != 0 && c.selection > static_cast<int>(static_cast<INT_PTR>(wParam)) ? c.selection
                                                                                                           : -1;
    case LB_FINDSTRINGEXACT: {
      // The search starts after `index` and wraps around; -1 searches from the top.
      const char* wanted = reinterpret_cast<const char*>(lParam);
      if (wanted == nullptr || count == 0) return LB_ERR;
      const int start = inRange ? index + 1 : 0;
      for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        if (equalsIgnoringAsciiCase(c.items[i], wanted)) return i;
      }
      return LB_ERR;
    }
    default:
      return 0;
  }
}

LONG_PTR SimDesktop::GetWindowLongPtrA(HWND hwnd, int index) {
  if (const Window* w = find(hwnd); w != nullptr && (index == GWL_STYLE || index == GWL_EXSTYLE)) {
    return styleOf(*w, index);
  }
  const Dialog* d = dialogOf(hwnd);
  if (d == nullptr) return 0;
  auto it = d->longs.find(index);
  return it == d->longs.end() ? 0 : it->second;
}

LONG_PTR SimDesktop::SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Dialog* d = dialogOf(hwnd);
  if (d == nullptr) return 0;
  LONG_PTR& slot = d->longs[index];
  const LONG_PTR old = slot;
  slot = value;
  return old;
}

int SimDesktop::MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
  ++messageBoxes_;
  report("messagebox " + quote(caption != nullptr ? caption : "") + " " + quote(text != nullptr ? text : ""));
  return IDOK;
}

// ---- Lookup -----------------------------------------------------------------------------------------

SimDesktop::Dialog* SimDesktop::dialogOf(HWND hwnd) {
  auto it = dialogs_.find(handleValue(hwnd));
  return it == dialogs_.end() ? nullptr : &it->second;
}

const SimDesktop::Dialog* SimDesktop::dialogOf(HWND hwnd) const {
  auto it = dialogs_.find(handleValue(hwnd));
  return it == dialogs_.end() ? nullptr : &it->second;
}

SimDesktop::Control* SimDesktop::controlOf(HWND dialog, int id) {
  Dialog* d = dialogOf(dialog);
  if (d == nullptr) return nullptr;
  auto it = d->controls.find(id);
  return it == d->controls.end() ? nullptr : &it->second;
}

SimDesktop::Control* SimDesktop::controlOf(HWND handle) {
  const std::uintptr_t v = handleValue(handle);
  if (v < kFirstControl) return nullptr;
  for (auto& [key, d] : dialogs_) {
    for (auto& [id, c] : d.controls) {
      if (c.handle == handle) return &c;
    }
  }
  return nullptr;
}

INT_PTR SimDesktop::callDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const Dialog* d = dialogOf(dialog);
  if (d == nullptr || d->proc == nullptr) return 0;
  // Copied out: the procedure may open or end dialogs, which changes the map.
  const DLGPROC proc = d->proc;
  return proc(programDoor_ != nullptr ? *programDoor_ : *this, dialog, message, wParam, lParam);
}

bool SimDesktop::isProgramWindow(HWND hwnd) const {
  const Window* w = find(hwnd);
  return dialogOf(hwnd) != nullptr || (w != nullptr && w->ownedByProgram);
}

}  // namespace tessellor::sim

namespace tessellor::sim {

void SimDesktop::selectListViewRow(HWND dialog, int id, int row) {
  if (Control* c = controlOf(dialog, id)) c->selection = row;
}

std::vector<std::vector<std::string>> SimDesktop::listViewRows(HWND dialog, int id) {
  Control* c = controlOf(dialog, id);
  return c != nullptr ? c->rows : std::vector<std::vector<std::string>>{};
}

// ---- The clipboard ---------------------------------------------------------------------------------

BOOL SimDesktop::OpenClipboard(HWND /*owner*/) {
  if (clipboardOpen_ || killed_) return FALSE;
  clipboardOpen_ = true;
  return TRUE;
}

BOOL SimDesktop::EmptyClipboard() {
  if (!clipboardOpen_) return FALSE;
  clipboard_.reset();
  return TRUE;
}

HANDLE SimDesktop::SetClipboardData(UINT format, HANDLE data) {
  const auto it = globals_.find(reinterpret_cast<std::uintptr_t>(data));
  if (!clipboardOpen_ || format != CF_TEXT || it == globals_.end()) return nullptr;
  const std::vector<char>& bytes = it->second;
  clipboard_ = std::string(bytes.data(), strnlen(bytes.data(), bytes.size()));
  // The clipboard owns the memory now.
  globals_.erase(it);
  return data;
}

BOOL SimDesktop::CloseClipboard() {
  if (!clipboardOpen_) return FALSE;
  clipboardOpen_ = false;
  return TRUE;
}

HGLOBAL SimDesktop::GlobalAlloc(UINT /*flags*/, std::size_t bytes) {
  const std::uintptr_t handle = nextGlobal_;
  nextGlobal_ += 0x10;
  globals_[handle] = std::vector<char>(bytes, '\0');
  return reinterpret_cast<HGLOBAL>(handle);
}

void* SimDesktop::GlobalLock(HGLOBAL memory) {
  const auto it = globals_.find(reinterpret_cast<std::uintptr_t>(memory));
  return it == globals_.end() || it->second.empty() ? nullptr : it->second.data();
}

BOOL SimDesktop::GlobalUnlock(HGLOBAL memory) { return globals_.contains(reinterpret_cast<std::uintptr_t>(memory)); }

HGLOBAL SimDesktop::GlobalFree(HGLOBAL memory) {
  return globals_.erase(reinterpret_cast<std::uintptr_t>(memory)) > 0 ? nullptr : memory;
}

}  // namespace tessellor::sim
