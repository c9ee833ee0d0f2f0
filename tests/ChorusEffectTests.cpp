#include "effects/ChorusEffect.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvane;
using namespace corvane::testing_support;

namespace
{
    struct ChorusFixture : ::testing::Test
    {
        ChorusEffect chorus;
        const float sr = 44100.0f;

        /** Prepared, in the given mode, with the mode's ramps finished. */
        void settleIn (int mode)
        {
            chorus.prepare (sr);
            chorus.setMode (mode);
            chorus.prepare (sr); // snaps depth, spread and mix
            Float4 f;
            for (int n = 0; n < 300; ++n)
                chorus.process (f);
        }
    };
}

TEST_F (ChorusFixture, ModeZeroOnALowSineIsAboutOnePointZeroFourOfTheInput)
{
    settleIn (0);
    std::vector<float> in, outL, outR;
    for (int n = 0; n < 44100; ++n)
    {
        const float x = (float) std::sin (twoPi * 100.0 * n / sr);
        Float4 f (x, x, 0.0f, 0.0f);
        chorus.process (f);
        in.push_back (x);
        outL.push_back (f[0]);
        outR.push_back (f[1]);
    }
    EXPECT_NEAR (rms (outL, 4410) / rms (in, 4410), 1.04, 0.003);
    // Spread 0: both channels use identical delays.
    for (int l = 0; l < 4; ++l)
        EXPECT_EQ (chorus.getLeftDelays()[l], chorus.getRightDelays()[l]);
    EXPECT_EQ (outL, outR);
}

TEST_F (ChorusFixture, ModeThreeDelaysTheRightTapsExactlyTwiceTheLeft)
{
    settleIn (3);
    Float4 f;
    float largest = 0.0f;
    for (int n = 0; n < 20000; ++n)
    {
        chorus.process (f);
        const Float4 l = chorus.getLeftDelays(), r = chorus.getRightDelays();
        for (int k = 0; k < 4; ++k)
        {
            ASSERT_EQ (r[k], 2.0f * l[k]);
            ASSERT_GE (l[k], 1.0f);
            largest = std::fmax (largest, r[k]);
        }
    }
    // Depth 0.28 of 185 samples at most, doubled: about 106 samples.
    EXPECT_LE (largest, 2.0f * (1.0f + 0.28f * 185.0f) + 0.01f);
    EXPECT_GT (largest, 90.0f);
}

TEST_F (ChorusFixture, ChannelZeroDependsOnlyOnChannelZeroAndSilenceStaysSilent)
{
    settleIn (3);
    ChorusEffect other;
    other.prepare (sr);
    other.setMode (3);
    other.prepare (sr);
    Float4 f;
    for (int n = 0; n < 300; ++n)
        other.process (f);

    std::mt19937 rng (1);
    std::uniform_real_distribution<float> u (-1.0f, 1.0f);
    for (int n = 0; n < 10000; ++n)
    {
        const float x = u (rng);
        Float4 a (x, u (rng), u (rng), 0.0f), b (x, 0.0f, 0.0f, u (rng));
        chorus.process (a);
        other.process (b);
        ASSERT_EQ (a[0], b[0]);
    }

    ChorusEffect quiet;
    quiet.prepare (48000.0f);
    quiet.setMode (2);
    for (int n = 0; n < 5000; ++n)
    {
        Float4 z;
        quiet.process (z);
        ASSERT_EQ (z[0], 0.0f);
        ASSERT_EQ (z[1], 0.0f);
    }
}

TEST_F (ChorusFixture, AModeChangeRampsOver256SamplesAndARepeatedModeStartsNone)
{
    settleIn (1);
    chorus.setMode (2);
    Float4 f;
    for (int n = 0; n < 128; ++n)
        chorus.process (f);
    EXPECT_NEAR (chorus.getDepth(), 0.22f, 1e-5f);
    EXPECT_NEAR (chorus.getSpread(), 0.40f, 1e-5f);
    EXPECT_NEAR (chorus.getMix(), 0.425f, 1e-5f);
    EXPECT_NEAR (chorus.getGain(), 0.71f, 1e-5f);

    chorus.setMode (2); // the same row again: the running ramps go on unchanged
    for (int n = 0; n < 128; ++n)
        chorus.process (f);
    EXPECT_NEAR (chorus.getDepth(), 0.24f, 1e-5f);
    EXPECT_NEAR (chorus.getMix(), 0.45f, 1e-5f);
    chorus.process (f);
    EXPECT_EQ (chorus.getGain(), 0.70f);
}

TEST (ChorusEffect, SampleRateSetsTheLfoSpeedsAndTheModulationDepth)
{
    ChorusEffect c;
    c.prepare (44100.0f);
    EXPECT_NEAR (c.getMaxModulationDelay(), 185.0f, 0.001f);
    c.prepare (96000.0f);
    EXPECT_FLOAT_EQ (c.getLfoIncrement()[0], 4096.0f * 0.6f / 96000.0f);
    EXPECT_FLOAT_EQ (c.getLfoIncrement()[1], 4096.0f * 6.0f / 96000.0f);
    EXPECT_FLOAT_EQ (c.getMaxModulationDelay(), 96000.0f * 0.004195011f);
}
