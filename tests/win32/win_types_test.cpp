#include "toolkit/win_types.h"

#include <gtest/gtest.h>

TEST(WinTypes, ColorRefKeepsRedInTheLowByte) {
    EXPECT_EQ(orv::ToColorRef(orv::kWindowColor), 0x554132u);
    EXPECT_EQ(orv::FromColorRef(0x554132u), orv::kWindowColor);
}
