#include "support/records.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Records, ZeroLandmarkIsActiveEmptyAero) {
    vx::landmark rec{};
    EXPECT_EQ(rec.lmid.at(1), 0);
    EXPECT_FALSE(vx::isDeactivated(rec));
    EXPECT_EQ(vx::nameText(rec), "");
}
