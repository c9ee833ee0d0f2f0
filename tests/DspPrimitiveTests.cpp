#include "dsp/FastMath.h"
#include "dsp/RampedValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvane;

TEST (RampedValue, MovesLinearlyAndLandsExactly)
{
    RampedValue r (0.0f, 256);
    r.setTarget (1.0f);
    for (int i = 1; i <= 255; ++i)
        ASSERT_NEAR (r.next(), (float) i / 256.0f, 1e-6f) << i;
    EXPECT_NEAR (r.next(), 1.0f, 1e-6f);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ (r.next(), 1.0f);
}

TEST (RampedValue, RepeatedTargetStartsNoRampButNaNDoes)
{
    RampedValue r (0.0f, 4);
    r.setTarget (1.0f);
    r.next();
    r.next();
    r.setTarget (1.0f); // the same target: the running ramp goes on
    EXPECT_NEAR (r.next(), 0.75f, 1e-6f);
    EXPECT_NEAR (r.next(), 1.0f, 1e-6f);
    EXPECT_FALSE (r.isRamping());

    r.setTarget (std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE (r.isRamping());

    RampedValue s (2.0f, 1024);
    s.setTarget (0.0f);
    s.next();
    s.snap();
    EXPECT_EQ (s.next(), 0.0f);
    EXPECT_FALSE (s.isRamping());
}

TEST (Float4, MasksSelectAndRounding)
{
    const Float4 a (1.0f, -2.5f, 3.5f, -0.5f);
    const Float4 b (0.0f);
    const Float4 picked = select (a > b, a, Float4 (9.0f));
    EXPECT_EQ (picked[0], 1.0f);
    EXPECT_EQ (picked[1], 9.0f);
    EXPECT_EQ (picked[2], 3.5f);
    EXPECT_EQ (picked[3], 9.0f);
    EXPECT_EQ (laneBits (a > b), 0b0101);

    const Float4 t = trunc (a), f = floor (a);
    const float truncs[4] = { 1.0f, -2.0f, 3.0f, -0.0f };
    const float floors[4] = { 1.0f, -3.0f, 3.0f, -1.0f };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (t[i], truncs[i]);
        EXPECT_EQ (f[i], floors[i]);
    }
    EXPECT_EQ (trunc (Float4 (3.0e9f))[0], 3.0e9f);
    EXPECT_EQ (horizontalSum (a), 1.5f);
}

TEST (FastMath, MatchesTheLibraryToSinglePrecision)
{
    for (double x = -50.0; x <= 50.0; x += 0.0137)
    {
        const auto f = (float) x;
        ASSERT_NEAR (fastmath::sin (Float4 (f))[0], std::sin (f), 2e-6f) << x;
        ASSERT_NEAR (fastmath::cos (Float4 (f))[0], std::cos (f), 2e-6f) << x;
    }
    for (double x = -1.5; x <= 1.5; x += 0.001)
    {
        const auto f = (float) x;
        const float expected = std::tan (f);
        ASSERT_NEAR (fastmath::tan (Float4 (f))[0], expected, 4e-6f * std::max (1.0f, std::abs (expected) * std::abs (expected)));
    }
    for (double x = -87.0; x <= 88.0; x += 0.05)
    {
        const auto f = (float) x;
        const float expected = std::exp (f);
        ASSERT_NEAR (fastmath::exp (Float4 (f))[0] / expected, 1.0f, 3e-7f) << x;
    }
    EXPECT_TRUE (std::isfinite (fastmath::exp (Float4 (1000.0f))[0]));
    const float tiny = fastmath::exp (Float4 (-1000.0f))[0];
    EXPECT_GE (tiny, 0.0f);
    EXPECT_LT (tiny, 1e-37f);
}
