// The entries of the excluded list and the windows they match.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "settings/Eligibility.h"
#include "settings/ExcludedEntries.h"

namespace tessellor {
namespace {

TEST(ExcludedEntries, APrefixInLowerCaseMakesARuleWhateverFollows) {
  EXPECT_EQ(entryKind("notepad.exe"), EntryKind::Program);
  EXPECT_EQ(entryKind("title:Picture"), EntryKind::Title);
  EXPECT_EQ(entryKind("class:"), EntryKind::Class);
  EXPECT_EQ(entryKind("Title:Picture"), EntryKind::Program);
  EXPECT_EQ(entryKind("CLASS:X"), EntryKind::Program);
  EXPECT_EQ(entryText("title: a "), " a ");
  EXPECT_EQ(entryText("class:title:x"), "title:x");
  EXPECT_EQ(entryText("notepad.exe"), "notepad.exe");
}

TEST(ExcludedEntries, ATitleRuleMatchesAnyPartOfTheTitleInAnyLetterCase) {
  EXPECT_TRUE(titleMatches("Picture in picture", "PICTURE IN"));
  EXPECT_TRUE(titleMatches("Picture in picture", "in pic"));
  EXPECT_TRUE(titleMatches("Picture in picture", ""));  // nothing is in every title
  EXPECT_FALSE(titleMatches("Picture in picture", "Picture-in"));
  EXPECT_FALSE(titleMatches("Picture", "Picture in picture"));
  // UTF-8 titles: the letters of the common European scripts fold too.
  EXPECT_TRUE(
      titleMatches("\xC3\x9C"
                   "bersicht - Mail",
                   "\xC3\xBC"
                   "BERSICHT"));  // Übersicht / über
  EXPECT_TRUE(
      titleMatches("\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2", "\xD0\xBF\xD1\x80\xD0\xB8"));  // ПРИВЕТ / при
  EXPECT_TRUE(
      titleMatches("\xC5\x81\xC3\xB3"
                   "d\xC5\xBA",
                   "\xC5\x82\xC3\x93"
                   "D\xC5\xB9"));                      // Łódź / łÓDŹ
  EXPECT_FALSE(titleMatches("\xC3\x97", "\xC3\xB7"));  // × and ÷ are no letters
  // A title cut inside a character: the stray byte matches only itself.
  EXPECT_TRUE(titleMatches("abc\xC3", "abc"));
  EXPECT_FALSE(titleMatches("abc\xC3", "abc\xC3\x9C"));
  EXPECT_TRUE(titleMatches("abc\xC3", "C\xC3"));
}

TEST(ExcludedEntries, AClassRuleMatchesTheWholeClassInAnyLetterCase) {
  EXPECT_TRUE(classMatches("Chrome_WidgetWin_1", "chrome_widgetwin_1"));
  EXPECT_FALSE(classMatches("Chrome_WidgetWin_1", "Chrome_WidgetWin"));
  EXPECT_FALSE(classMatches("Chrome_WidgetWin", "Chrome_WidgetWin_1"));
}

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct ListOnDesktop {
  sim::SimDesktop d;
  HWND main = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);

  void add(const char* entry) {
    d.SendDlgItemMessageA(main, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  HWND window(const char* title, const char* exe, const char* className = "") {
    sim::WindowSpec desc;
    desc.name = "w";
    desc.title = title;
    desc.exe = exe;
    desc.className = className;
    return d.createWindow(desc);
  }
  std::optional<std::string> entryFor(HWND hwnd) {
    char title[100] = {};
    d.GetWindowTextA(hwnd, title, sizeof title);
    char program[100] = {};
    getProgramName(d, hwnd, program, sizeof program);
    return excludingEntry(d, main, hwnd, title, program);
  }
};

TEST(ExcludedEntries, TheFirstEntryInTheListThatMatchesIsNamed) {
  ListOnDesktop t;
  const HWND pip = t.window("Picture in picture", "msedge.exe", "Chrome_WidgetWin_1");
  const HWND pad = t.window("Notes - Notepad", "notepad.exe", "Notepad");
  const HWND other = t.window("Other", "other.exe");
  t.add("title:picture");
  t.add("NOTEPAD.EXE");
  t.add("class:chrome_widgetwin_1");
  t.add("title:notes");
  EXPECT_EQ(t.entryFor(pip), "title:picture");
  EXPECT_EQ(t.entryFor(pad), "NOTEPAD.EXE");
  EXPECT_EQ(t.entryFor(other), std::nullopt);
}

TEST(ExcludedEntries, RulesAreNoProgramNamesAndProgramsNoRules) {
  ListOnDesktop t;
  // Only the simulator lets a program have such a name; a rule of that spelling still is no program entry.
  const HWND odd = t.window("abc", "title:q");
  t.add("title:q");
  EXPECT_TRUE(isProgramAllowed(t.d, t.main, "title:q"));
  EXPECT_EQ(t.entryFor(odd), std::nullopt);
  t.add("Title:Q");  // a program entry, found after the rule of its spelling
  EXPECT_FALSE(isProgramAllowed(t.d, t.main, "title:q"));
  EXPECT_EQ(t.entryFor(odd), "Title:Q");
}

TEST(ExcludedEntries, AWindowWhoseClassCannotBeReadMatchesNoClassRule) {
  ListOnDesktop t;
  const HWND gone = t.window("Gone", "gone.exe");
  t.d.destroyWindow(gone);
  t.add("class:");
  t.add("class:SimWindow");
  EXPECT_EQ(excludingEntry(t.d, t.main, gone, "Gone", "gone.exe"), std::nullopt);
}

// The title is read when the rule is tested: a title that changes to match is excluded from then on.
TEST(ExcludedEntries, ATitleIsReadWhenTheRuleIsTested) {
  ListOnDesktop t;
  const HWND w = t.window("Document", "editor.exe");
  t.add("title:Picture");
  EXPECT_EQ(t.entryFor(w), std::nullopt);
  t.d.setTitle(w, "Picture in picture");
  EXPECT_EQ(t.entryFor(w), "title:Picture");
}

}  // namespace
}  // namespace tessellor
