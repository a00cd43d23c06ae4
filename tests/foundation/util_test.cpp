#include "foundation/util.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometrie, CalcPower)
{
    EXPECT_EQ(calcPower(0), 0);
    EXPECT_EQ(calcPower(-5), 0);
    EXPECT_EQ(calcPower(1), 1);
    EXPECT_EQ(calcPower(3), 4);
    EXPECT_EQ(calcPower(255), 256);
    EXPECT_EQ(calcPower(256), 256);
    EXPECT_EQ(calcPower(257), 512);
    EXPECT_EQ(calcPower(1 << 30), 1 << 30);
    EXPECT_EQ(calcPower((1 << 30) + 1), 0);
}

TEST(Geometrie, RotationTruncatesTowardZeroWithTenDecimalPi)
{
    EXPECT_EQ(calcTransX(10, 0, 90), 0);
    EXPECT_EQ(calcTransY(10, 0, 90), 10);
    EXPECT_EQ(calcTransX(10, 0, 180), -10);
    EXPECT_EQ(calcTransX(0, 10, 90), -10);
    EXPECT_EQ(calcTransX(10, 0, 30), 8);
    EXPECT_EQ(calcTransX(-10, 0, 30), -8);
    EXPECT_EQ(calcTransY(10, 0, 30), 4);
    EXPECT_EQ(calcTransX(7, 3, 0), 7);
    EXPECT_EQ(calcTransY(7, 3, 0), 3);
}

TEST(Geometrie, GetMapClampsTheUpperSideOnly)
{
    float l, r, t, b;
    getMap(0, 0, 100, 50, 128, 64, l, r, t, b);
    EXPECT_FLOAT_EQ(l, 0.0f);
    EXPECT_FLOAT_EQ(r, 0.78125f);
    EXPECT_FLOAT_EQ(t, 0.0f);
    EXPECT_FLOAT_EQ(b, 0.78125f);
    getMap(120, 0, 20, 64, 128, 64, l, r, t, b);
    EXPECT_FLOAT_EQ(l, 120.0f / 128.0f);
    EXPECT_FLOAT_EQ(r, 1.0f);
    getMap(-8, 0, 16, 64, 128, 64, l, r, t, b);
    EXPECT_FLOAT_EQ(l, -0.0625f);
    getMap(5, 5, 10, 10, 0, 0, l, r, t, b);
    EXPECT_EQ(l + r + t + b, 0.0f);
}

TEST(Geometrie, PointInClosedQuad)
{
    EXPECT_EQ(isPointInQuad(10, 10, 0, 0, 10, 10), 1);
    EXPECT_EQ(isPointInQuad(0, 0, 0, 0, 10, 10), 1);
    EXPECT_EQ(isPointInQuad(11, 10, 0, 0, 10, 10), 0);
    EXPECT_EQ(isPointInQuad(-1, 0, 0, 0, 10, 10), 0);
}

} // namespace
