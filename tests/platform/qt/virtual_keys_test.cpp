#include "platform/qt/virtual_keys.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

using os::qt::KeysymOfVirtualKey;

TEST(VirtualKeys, LettersDigitsAndFunctionKeys) {
    EXPECT_EQ(KeysymOfVirtualKey('S'), static_cast<std::uint32_t>(XK_s));
    EXPECT_EQ(KeysymOfVirtualKey('A'), static_cast<std::uint32_t>(XK_a));
    EXPECT_EQ(KeysymOfVirtualKey('Z'), static_cast<std::uint32_t>(XK_z));
    EXPECT_EQ(KeysymOfVirtualKey('0'), static_cast<std::uint32_t>(XK_0));
    EXPECT_EQ(KeysymOfVirtualKey(0x73), static_cast<std::uint32_t>(XK_F4));  // a lower-case "s"
    EXPECT_EQ(KeysymOfVirtualKey(0x87), static_cast<std::uint32_t>(XK_F24));
    EXPECT_EQ(KeysymOfVirtualKey(0x60), static_cast<std::uint32_t>(XK_KP_0));
    EXPECT_EQ(KeysymOfVirtualKey(0xBF), static_cast<std::uint32_t>(XK_slash));
}

TEST(VirtualKeys, CodesThatNameNoKey) {
    for (unsigned vk : {0u, 0x07u, 0x3Au, 0x40u, 0x5Bu, 0x88u, 0xFFu, 0xFFFFFFE9u}) {
        EXPECT_EQ(KeysymOfVirtualKey(vk), 0u) << vk;
    }
}
