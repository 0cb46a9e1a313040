#include "components/HotKeyCodes.h"

namespace tarvell {

// The table is built by ranges; these pin the landmarks so a slipped range cannot go unseen.
static_assert(HotKeyCodes[0] == 0x00 && HotKeyCodes[1] == 0x03 && HotKeyCodes[8] == 0x1B);
static_assert(HotKeyCodes[9] == 0x20 && HotKeyCodes[17] == 0x28 && HotKeyCodes[18] == 0x29);
static_assert(HotKeyCodes[19] == 0x2B && HotKeyCodes[23] == 0x2F);
static_assert(HotKeyCodes[24] == '0' && HotKeyCodes[33] == '9');
static_assert(HotKeyCodes[34] == 'A' && HotKeyCodes[59] == 'Z');
static_assert(HotKeyCodes[60] == 0x60 && HotKeyCodes[75] == 0x6F);
static_assert(HotKeyCodes[76] == 0x70 && HotKeyCodes[99] == 0x87);
static_assert(HotKeyCodes[100] == 0x90 && HotKeyCodes[101] == 0x91);
static_assert(HotKeyCodes[HotKeyIndexZ] == 'Z' && HotKeyCodes[HotKeyIndexA] == 'A' &&
              HotKeyCodes[HotKeyIndexQ] == 'Q' && HotKeyCodes[HotKeyIndexD] == 'D');

}  // namespace tarvell
