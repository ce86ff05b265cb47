#include "app/ExcludedPrograms.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/MainDialog.h"
#include "resources/resource_ids.h"
#include "settings/ExcludedEntries.h"

namespace tessellor {

namespace {

void warn(Platform& platform, HWND dialog, const char* text) {
  std::optional<ModalLoop> loop;
  if (Shell* shell = shellOf(platform, dialog)) loop.emplace(*shell);
  platform.MessageBoxA(dialog, text, "Warning", MB_OK);
}

}  // namespace

bool hasExeExtension(const char* name) {
  std::string_view rest(name);
  for (int piece = 0; piece < 2; ++piece) {
    const std::size_t start = rest.find_first_not_of('.');
    if (start == std::string_view::npos) return false;
    rest.remove_prefix(start);
    const std::size_t end = rest.find('.');
    const std::string_view word = rest.substr(0, end);
    if (piece == 1) return word == "exe";
    rest.remove_prefix(word.size());
  }
  return false;
}

bool isAddableEntry(const char* text) {
  const std::string_view entry(text);
  // The settings file keeps an entry on one line: one with a line end would come back as two.
  if (entry.find_first_of("\r\n") != std::string_view::npos) return false;
  if (entryKind(entry) == EntryKind::Program) return hasExeExtension(text);
  return entryText(entry).find_first_not_of(" \t") != std::string_view::npos;
}

void addExcludedProgram(Platform& platform, HWND dialog) {
  const int length = platform.GetWindowTextLengthA(platform.GetDlgItem(dialog, IDC_EXE_NAME));
  if (length < 1) {
    warn(platform, dialog, "You didn't enter anything!");
    return;
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  platform.GetDlgItemTextA(dialog, IDC_EXE_NAME, text.data(), length + 1);
  if (isAddableEntry(text.c_str())) {
    platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    platform.SetDlgItemTextA(dialog, IDC_EXE_NAME, "");
  } else {
    warn(platform, dialog, "Insert a valid exe name please");
  }
}

void removeSelectedProgram(Platform& platform, HWND dialog) {
  HWND list = platform.GetDlgItem(dialog, IDC_EXCLUDED_LIST);
  const LRESULT selected = platform.SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) {
    platform.SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  } else {
    warn(platform, dialog, "No items selected.");
  }
}

}  // namespace tessellor
