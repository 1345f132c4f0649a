#include "core/geometry.h"

#include <gtest/gtest.h>

TEST(Geometry, RectEdges) {
    orv::Rect r{10, 20, 30, 40};
    EXPECT_EQ(r.Right(), 40);
    EXPECT_EQ(r.Bottom(), 60);
}
