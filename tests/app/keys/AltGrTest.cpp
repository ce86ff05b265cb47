// Which Ctrl+Alt keys AltGr types with, on every installed keyboard layout.
#include <gtest/gtest.h>

#include <vector>

#include "app/keys/AltGr.h"
#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

constexpr HotkeyKey ctrlAlt(UINT vk) { return HotkeyKey{MOD_CONTROL | MOD_ALT, vk}; }

TEST(AltGr, AKeyIsLeftToTypingOnlyWithBothCtrlAndAlt) {
  sim::SimDesktop d;
  d.setAltGr('B', "{");
  d.setAltGr('L', "\xc5\x82");  // ł, in the program's code page (UTF-8)
  EXPECT_EQ(altGrText(d, ctrlAlt('B')), "{");
  EXPECT_EQ(altGrText(d, ctrlAlt('L')), "\xc5\x82");
  EXPECT_EQ(altGrText(d, ctrlAlt('G')), "");
  EXPECT_EQ(altGrText(d, HotkeyKey{MOD_CONTROL, 'B'}), "");
  EXPECT_EQ(altGrText(d, HotkeyKey{MOD_ALT, 'B'}), "");
  // With Shift the key asks what AltGr+Shift types, which is nothing here.
  EXPECT_EQ(altGrText(d, HotkeyKey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B'}), "");
  EXPECT_EQ(altGrText(d, NO_KEY), "");
  EXPECT_EQ(altGrKeysName(HotkeyKey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B'}), "AltGr+Shift+B");
}

// A second layout that types with every key, as the platform reports it; the first types nothing.
class TwoLayouts : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  std::vector<WCHAR> answer{u'@'};
  int result = 1;
  std::vector<UINT> flagsAsked;

  int GetKeyboardLayoutList(int count, HKL* layouts) override {
    if (count < 2) return count == 0 ? 2 : 0;
    layouts[0] = first;
    layouts[1] = second;
    return 2;
  }
  int ToUnicodeEx(UINT vk, UINT scan, const BYTE* state, WCHAR* buffer, int count, UINT flags, HKL layout) override {
    flagsAsked.push_back(flags);
    if (layout != second) return 0;
    EXPECT_EQ(state[VK_CONTROL] & 0x80, 0x80);
    EXPECT_EQ(state[VK_MENU] & 0x80, 0x80);
    EXPECT_NE(scan, 0u);
    for (std::size_t i = 0; i < answer.size() && static_cast<int>(i) < count; ++i) buffer[i] = answer[i];
    return vk == 'Q' ? result : 0;
  }
  UINT MapVirtualKeyExA(UINT code, UINT, HKL) override { return code + 1; }

 private:
  const HKL first = reinterpret_cast<HKL>(std::uintptr_t{0x04090409});
  const HKL second = reinterpret_cast<HKL>(std::uintptr_t{0x04050405});
};

TEST(AltGr, EveryInstalledLayoutIsAskedWithoutChangingTheKeyboardState) {
  sim::SimDesktop d;
  TwoLayouts p(d);
  EXPECT_EQ(altGrText(p, ctrlAlt('Q')), "@");
  EXPECT_EQ(p.flagsAsked, (std::vector<UINT>{4, 4}));
  EXPECT_EQ(altGrText(p, ctrlAlt('W')), "");
}

TEST(AltGr, ADeadKeyTypesTooAndControlCharactersDoNot) {
  sim::SimDesktop d;
  TwoLayouts p(d);
  p.answer = {u'^'};
  p.result = -1;  // a dead key: its spacing form in the buffer
  EXPECT_EQ(altGrText(p, ctrlAlt('Q')), "^");
  p.answer = {u'\x11'};  // what Ctrl makes of Q on a layout without AltGr
  p.result = 1;
  EXPECT_EQ(altGrText(p, ctrlAlt('Q')), "");
}

}  // namespace
}  // namespace tessellor
