#include "effects/PhaserEffect.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvane;
using namespace corvane::testing_support;

namespace
{
    float rateFor (float v) { return 0.02f + 7.98f * v * v * v * v; }

    void run (PhaserEffect& p, int samples)
    {
        for (int n = 0; n < samples; ++n)
        {
            Float4 f (0.1f);
            p.process (f);
        }
    }

    double allPassCoefficient (double frequency, double sr)
    {
        const double t = std::tan (3.14159265358979323846 * frequency / sr);
        return (t - 1.0) / (t + 1.0);
    }
}

TEST (PhaserEffect, ModeZeroReturnsTheInputExactlyAfterTheRamp)
{
    PhaserEffect p;
    p.prepare (44100.0f);
    p.setRate (rateFor (0.5f));
    p.setMode (0, 0.5f);

    std::mt19937 rng (3);
    std::uniform_real_distribution<float> u (-1.0f, 1.0f);
    for (int n = 0; n < 2000; ++n)
    {
        const Float4 in (u (rng), u (rng), u (rng), u (rng));
        Float4 f = in;
        p.process (f);
        if (n < 256)
            continue;
        for (int l = 0; l < 4; ++l)
            ASSERT_EQ (f[l], in[l]) << "sample " << n;
    }
}

TEST (PhaserEffect, MixSettlesByRate)
{
    for (auto [v, expected] : { std::pair { 0.0f, 0.5f }, std::pair { 1.0f, 0.2f }, std::pair { 0.5f, 0.35f } })
    {
        PhaserEffect p;
        p.prepare (44100.0f);
        p.setRate (rateFor (v));
        p.setMode (1, v);
        run (p, 256);
        EXPECT_FLOAT_EQ (p.getMix(), expected) << "normalised rate " << v;
    }
}

TEST (PhaserEffect, SectionsBreakAroundTheCentreOfTheSweepAtTheLfoStart)
{
    const float sr = 44100.0f;
    PhaserEffect p;
    p.prepare (sr);
    p.setRate (rateFor (0.0f));
    p.setMode (1, 0.0f);
    run (p, 1);

    // Mode 1 sweeps stage 0 over 100 to 800 Hz and stage 1 over 550 to 4200 Hz; the LFO starts at 0.5.
    const Float4 g = p.getLastCoefficients();
    EXPECT_NEAR (g[0], allPassCoefficient (425.0, sr), 2e-6);
    EXPECT_NEAR (g[1], allPassCoefficient (475.0, sr), 2e-6);
    EXPECT_NEAR (g[2], allPassCoefficient (2375.0 - 8.0, sr), 2e-6);
    EXPECT_NEAR (g[3], allPassCoefficient (2375.0 + 8.0, sr), 2e-6);

    // A quarter cycle later the LFO is at its top: the sweep's high ends.
    PhaserEffect q;
    q.prepare (sr);
    q.setRate (sr / 4096.0f); // one table entry per sample
    q.setMode (1, 0.0f);
    run (q, 1025);
    EXPECT_NEAR (q.getLastCoefficients()[1], allPassCoefficient (825.0, sr), 2e-6);
    EXPECT_NEAR (q.getLfoPhase(), 1025.0f, 1e-3f);
    EXPECT_EQ (q.getLfoTableLength(), 4096.0f);
}

TEST (PhaserEffect, ModeTwoGlidesTheSweepAndARepeatedModeChangesNothing)
{
    PhaserEffect p;
    p.prepare (44100.0f);
    p.setRate (1.0f);
    p.setMode (1, 0.3f);
    run (p, 300);
    p.setMode (2, 0.3f);
    EXPECT_EQ (p.getModeIndex(), 1);
    run (p, 128);
    EXPECT_NEAR (p.getSweepBound (0), 85.0f, 1e-3f);
    EXPECT_NEAR (p.getSweepBound (3), 5600.0f, 1e-2f);
    p.setMode (2, 0.3f);
    run (p, 128);
    EXPECT_NEAR (p.getSweepBound (1), 1300.0f, 1e-2f);

    // Off and on again: the sweep keeps its bounds.
    p.setMode (0, 0.3f);
    run (p, 300);
    EXPECT_EQ (p.getMix(), 0.0f);
    p.setMode (2, 0.3f);
    run (p, 1);
    EXPECT_EQ (p.getSweepBound (2), 200.0f);
}

TEST (PhaserEffect, NotchesTheSpectrumAndSilenceDecaysToSilence)
{
    const float sr = 44100.0f;
    PhaserEffect p;
    p.prepare (sr);
    p.setRate (0.02f);
    p.setMode (1, 0.0f);
    run (p, 256);
    p.prepare (sr); // clears the states, LFO back to the start; mix stays 0.5

    // Over the first 8192 samples the 0.02 Hz sweep barely moves: the frame is a fixed filter.
    std::vector<float> ir;
    for (int n = 0; n < 8192; ++n)
    {
        Float4 f (n == 0 ? 1.0f : 0.0f);
        p.process (f);
        ir.push_back (f[0]);
    }
    double lowest = 10.0, highest = 0.0;
    for (double f = 50.0; f < 10000.0; f *= 1.02)
    {
        const double m = magnitudeAt (ir, f, sr);
        lowest = std::fmin (lowest, m);
        highest = std::fmax (highest, m);
    }
    EXPECT_LT (toDb (lowest), -12.0);
    EXPECT_GT (toDb (highest), 0.0);

    for (int n = 0; n < 200000; ++n)
    {
        Float4 f;
        p.process (f);
    }
    Float4 f;
    p.process (f);
    EXPECT_LT (std::fabs (f[0]), 1e-20f);
}
