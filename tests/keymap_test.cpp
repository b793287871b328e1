// Keyboard scan positions to the virtual-key codes the scenes ask for.
#include "engine/keymap.h"

#include <gtest/gtest.h>

#include <vector>

namespace vepa {
namespace {

TEST(KeymapTest, KeysTheScenesUse) {
  EXPECT_EQ(VirtualKeyFromUsbUsage(40), 13);   // Enter
  EXPECT_EQ(VirtualKeyFromUsbUsage(88), 13);   // keypad Enter
  EXPECT_EQ(VirtualKeyFromUsbUsage(41), 27);   // Esc
  EXPECT_EQ(VirtualKeyFromUsbUsage(44), 32);   // Space
  EXPECT_EQ(VirtualKeyFromUsbUsage(80), 37);   // left
  EXPECT_EQ(VirtualKeyFromUsbUsage(82), 38);   // up
  EXPECT_EQ(VirtualKeyFromUsbUsage(79), 39);   // right
  EXPECT_EQ(VirtualKeyFromUsbUsage(81), 40);   // down
  EXPECT_EQ(VirtualKeyFromUsbUsage(54), 188);  // comma
  EXPECT_EQ(VirtualKeyFromUsbUsage(55), 190);  // period
  EXPECT_EQ(VirtualKeyFromUsbUsage(47), 219);  // [
  EXPECT_EQ(VirtualKeyFromUsbUsage(48), 221);  // ]
  EXPECT_EQ(VirtualKeyFromUsbUsage(224), 17);  // Ctrl
  EXPECT_EQ(VirtualKeyFromUsbUsage(228), 17);
  EXPECT_EQ(VirtualKeyFromUsbUsage(225), 16);  // Shift
  EXPECT_EQ(VirtualKeyFromUsbUsage(230), 18);  // Alt
  EXPECT_EQ(VirtualKeyFromUsbUsage(42), 8);    // Backspace
  EXPECT_EQ(VirtualKeyFromUsbUsage(43), 9);    // Tab
  EXPECT_EQ(VirtualKeyFromUsbUsage(76), 46);   // Delete
}

TEST(KeymapTest, LetterDigitAndFunctionRanges) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyFromUsbUsage(4 + i), 'A' + i);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(VirtualKeyFromUsbUsage(30 + i), '1' + i);
  EXPECT_EQ(VirtualKeyFromUsbUsage(39), '0');
  for (int i = 0; i < 12; ++i) EXPECT_EQ(VirtualKeyFromUsbUsage(58 + i), 112 + i);
  EXPECT_EQ(VirtualKeyFromUsbUsage(61), 115);  // F4, swallowed with Alt in full screen
  for (int i = 0; i < 9; ++i) EXPECT_EQ(VirtualKeyFromUsbUsage(89 + i), 97 + i);
  EXPECT_EQ(VirtualKeyFromUsbUsage(98), 96);
}

TEST(KeymapTest, UnknownPositionsHaveNoCode) {
  EXPECT_EQ(VirtualKeyFromUsbUsage(0), 0);
  EXPECT_EQ(VirtualKeyFromUsbUsage(3), 0);
  EXPECT_EQ(VirtualKeyFromUsbUsage(200), 0);
  EXPECT_EQ(VirtualKeyFromUsbUsage(-1), 0);
  EXPECT_EQ(VirtualKeyFromUsbUsage(1000), 0);
}

TEST(KeymapTest, SnapshotSetsCommonAndSideCodesOfModifiers) {
  std::vector<uint8_t> state(512, 0);
  state[229] = 1;  // right Shift
  state[224] = 1;  // left Ctrl
  state[4] = 1;    // A
  std::array<bool, 256> keys;
  keys.fill(true);  // stale values are cleared
  KeysFromUsbState(state.data(), static_cast<int>(state.size()), keys);
  int down = 0;
  for (bool k : keys) down += k ? 1 : 0;
  EXPECT_EQ(down, 5);
  EXPECT_TRUE(keys[16]);
  EXPECT_TRUE(keys[161]);
  EXPECT_TRUE(keys[17]);
  EXPECT_TRUE(keys[162]);
  EXPECT_TRUE(keys['A']);
  EXPECT_FALSE(keys[160]);

  KeysFromUsbState(nullptr, 0, keys);
  for (bool k : keys) EXPECT_FALSE(k);
}

}  // namespace
}  // namespace vepa
