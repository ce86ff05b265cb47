// The program's lines: starting it, and the user's clicks, typing, keys and tray clicks, each posted
// as the message Windows would deliver.
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

// The dialog a line addresses: the open one on top. Records a malformed line when there is none.
HWND openDialog(ScenarioRunner& r, Args& a) {
  const HWND dialog = r.running() ? r.desktop().topDialog() : nullptr;
  if (dialog == nullptr) a.fail(r.ended() ? "the program has ended" : "the program has not started");
  return dialog;
}

struct DialogControl {
  HWND dialog;
  int id;
};

// The control of the open dialog that argument i names, of the kind the line needs. Records a
// malformed line otherwise.
std::optional<DialogControl> controlAt(ScenarioRunner& r, Args& a, std::size_t i, ControlKind kind, const char* what) {
  const HWND dialog = openDialog(r, a);
  const auto id = a.number(i);
  if (a.failed()) return std::nullopt;
  if (r.desktop().controlKind(dialog, *id) != kind) {
    a.fail("the open dialog has no " + std::string(what) + " " + std::to_string(*id));
    return std::nullopt;
  }
  return DialogControl{dialog, *id};
}

void notify(ScenarioRunner& r, HWND dialog, int id, WORD code) {
  const HWND control = r.desktop().GetDlgItem(dialog, id);
  r.desktop().postMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code),
                          reinterpret_cast<LPARAM>(control));
}

void start(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  if (r.running()) return void(a.fail("the program is running already"));
  r.startProgram();
}

void command(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND dialog = openDialog(r, a);
  const auto id = a.number(0);
  if (a.failed()) return;
  if (*id < 0 || *id > 0xFFFF) return void(a.fail("a command id is 0 to 65535"));
  notify(r, dialog, *id, BN_CLICKED);
}

void type(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto edit = controlAt(r, a, 0, ControlKind::Edit, "edit box");
  const auto text = a.string(1);
  if (a.failed()) return;
  r.desktop().SetDlgItemTextA(edit->dialog, edit->id, text->c_str());
  notify(r, edit->dialog, edit->id, EN_CHANGE);
}

void check(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  static constexpr const char* kStates[] = {"off", "on"};
  const auto box = controlAt(r, a, 0, ControlKind::CheckBox, "check box");
  const auto state = a.choice(1, kStates);
  if (a.failed()) return;
  r.desktop().SendDlgItemMessageA(box->dialog, box->id, BM_SETCHECK, *state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  notify(r, box->dialog, box->id, BN_CLICKED);
}

// The row of a list view is selected; the dialog reads it when one of its buttons is clicked.
void selectRow(ScenarioRunner& r, Args& a) {
  const HWND dialog = openDialog(r, a);
  const auto id = a.number(0);
  const auto n = a.isWord(1, "none") ? std::optional<int>(-1) : a.number(1);
  if (a.failed()) return;
  const auto rows = static_cast<int>(r.desktop().listViewRows(dialog, *id).size());
  if (*n >= rows || *n < -1) return void(a.fail("the list view has no row " + std::to_string(*n)));
  r.desktop().selectListViewRow(dialog, *id, *n);
}

void select(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  if (const auto id = a.number(0); id && r.running() && r.desktop().mainDialog() != nullptr &&
                                   r.desktop().controlKind(r.desktop().topDialog(), *id) == ControlKind::ListView) {
    return selectRow(r, a);
  }
  const auto list = controlAt(r, a, 0, ControlKind::ListBox, "list box");
  if (!list) return;
  WPARAM index = static_cast<WPARAM>(-1);
  if (!a.isWord(1, "none")) {
    const auto n = a.number(1);
    if (!n) return;
    if (*n < 0 || *n >= r.desktop().SendDlgItemMessageA(list->dialog, list->id, LB_GETCOUNT, 0, 0)) {
      return void(a.fail("the list box has no item " + std::to_string(*n)));
    }
    index = static_cast<WPARAM>(*n);
  }
  r.desktop().SendDlgItemMessageA(list->dialog, list->id, LB_SETCURSEL, index, 0);
  notify(r, list->dialog, list->id, LBN_SELCHANGE);
}

void key(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  if (a.isString(0)) {
    if (const auto keys = keysArgument(a, 0)) r.desktop().pressKeys(keys->modifiers, keys->virtualKey);
  } else if (const auto id = a.number(0)) {
    r.desktop().pressHotkey(*id);
  }
}

void tray(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  // word             mouse message (or the balloon's notification)
  static constexpr const char* kWords[] = {"lbuttondblclk", "rbuttondown", "lbuttondown", "rbuttonup", "balloonclick"};
  static constexpr UINT kMessages[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_RBUTTONUP,
                                       NIN_BALLOONUSERCLICK};
  if (const auto which = a.choice(0, kWords)) r.desktop().clickTray(kMessages[*which]);
}

void menu(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const auto item = a.string(0);
  if (!item) return;
  if (!r.desktop().openMenu()) return void(a.fail("no menu is open"));
  if (!r.desktop().pickMenuItem(*item)) a.fail("the menu has no item " + quote(*item));
}

void closeDialog(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  if (const HWND dialog = openDialog(r, a)) r.desktop().postMessage(dialog, WM_CLOSE, 0, 0);
}

void kill(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  if (!r.running() || r.desktop().mainDialog() == nullptr) {
    return void(a.fail(r.ended() ? "the program has ended" : "the program has not started"));
  }
  r.kill();
}

void quitCheck(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  if (r.running() || !r.exitCode()) return void(a.fail("the program has not ended"));
  r.out() << "exit " << *r.exitCode() << '\n';
}

constexpr Command kCommands[] = {
    {"start", start},
    {"command", command},
    {"type", type},
    {"check", check},
    {"select", select},
    {"key", key},
    {"tray", tray},
    {"menu", menu},
    {"close-dialog", closeDialog},
    {"kill", kill},
    {"quit-check", quitCheck},
};

}  // namespace

std::span<const Command> programCommands() { return kCommands; }

}  // namespace tessellor::sim
