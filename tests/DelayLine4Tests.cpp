#include "dsp/Biquad.h"
#include "dsp/DelayLine4.h"
#include "engine/OVWaveTableOscillator.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <random>

using namespace corvane;
using namespace corvane::testing_support;

TEST (DelayLine4, OverlongDelayInLaneZeroWarnsAndClamps)
{
    DelayLine4 line;
    line.allocate (4096);

    testing::internal::CaptureStdout();
    line.setDelay (Float4 (5000.0f, 10.0f, 10.0f, 10.0f));
    EXPECT_EQ (testing::internal::GetCapturedStdout(),
               "Warning! Delay line overflow: (5000.00000000, 10.00000000, 10.00000000, 10.00000000) max: 4096\n");
    EXPECT_EQ (line.getDelay()[0], 4095.0f);
    EXPECT_EQ (line.getDelay()[1], 10.0f);

    // Only lane 0 reports; the other lanes are clamped silently.
    testing::internal::CaptureStdout();
    line.setDelay (Float4 (10.0f, 5000.0f, -3.0f, 10.0f));
    EXPECT_EQ (testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ (line.getDelay()[1], 4095.0f);
    EXPECT_EQ (line.getDelay()[2], 0.0f);
}

TEST (DelayLine4, FractionalDelaysInterpolateLinearly)
{
    DelayLine4 line;
    line.allocate (64);

    // Lane by lane: 1.5 samples, 3 samples, 0.25 samples (below one sample) and 63 (the longest),
    // set before every sample as the owners of moving delays do.
    const auto lane = [&] (int l, Float4 d) {
        std::vector<float> out;
        line.clear();
        for (int n = 0; n < 200; ++n)
        {
            line.setDelay (d);
            out.push_back (line.process (Float4 (n == 0 ? 1.0f : 0.0f))[l]);
        }
        return out;
    };
    const Float4 d (1.5f, 3.0f, 0.25f, 63.0f);

    auto a = lane (0, d);
    EXPECT_FLOAT_EQ (a[1], 0.5f);
    EXPECT_FLOAT_EQ (a[2], 0.5f);
    EXPECT_FLOAT_EQ (a[0] + a[3], 0.0f);

    auto b = lane (1, d);
    EXPECT_EQ (b[3], 1.0f);
    EXPECT_EQ (b[2] + b[4], 0.0f);

    // Below one sample the read comes before the write: 0.25 of the previous input
    // and 0.75 of the input a whole circle ago.
    auto c = lane (2, d);
    EXPECT_FLOAT_EQ (c[1], 0.25f);
    EXPECT_FLOAT_EQ (c[64], 0.75f);

    auto e = lane (3, d);
    EXPECT_EQ (e[63], 1.0f);
}

TEST (DelayLine4, PreparedTapsReadWhatSetDelayAndReadWould)
{
    DelayLine4 a, b;
    a.allocate (1000);
    b.allocate (1000);
    std::mt19937 rng (7);
    std::uniform_real_distribution<float> sig (-1.0f, 1.0f), del (0.0f, 1200.0f);

    const Float4 delays[3] = { Float4 (del (rng), del (rng), del (rng), del (rng)),
                               Float4 (0.3f, 999.0f, 998.7f, 1.0f), Float4 (5.5f, 0.0f, 17.25f, 400.0f) };
    testing::internal::CaptureStdout();
    DelayLine4::Tap taps[3];
    for (int t = 0; t < 3; ++t)
        taps[t] = a.makeTap (delays[t]);

    for (int n = 0; n < 3000; ++n)
    {
        for (int t = 0; t < 3; ++t)
        {
            b.setDelay (delays[t]);
            const Float4 expected = b.read();
            const Float4 got = a.readTap (taps[t]);
            for (int l = 0; l < 4; ++l)
                ASSERT_EQ (got[l], expected[l]) << "sample " << n << " tap " << t << " lane " << l;
        }
        const Float4 x (sig (rng), sig (rng), sig (rng), sig (rng));
        a.write (x);
        b.write (x);
    }
    testing::internal::GetCapturedStdout();
}

TEST (DampedComb4, DecaysSixtyDecibelsInTheDecayTime)
{
    const float sr = 44100.0f;
    DampedComb4 comb;
    comb.allocate (4096);
    comb.setDelay (Float4 (441.0f, 1000.0f, 2000.0f, 3001.0f));
    comb.setDecay (1.0f, sr);
    comb.setDampingCoefficients (Float4 (1.0f), Float4 (0.0f)); // no damping

    std::vector<float> lanes[4];
    for (int n = 0; n < 60000; ++n)
    {
        const Float4 y = comb.process (Float4 (n == 0 ? 1.0f : 0.0f));
        for (int l = 0; l < 4; ++l)
            lanes[l].push_back (y[l]);
    }

    const int delays[4] = { 441, 1000, 2000, 3001 };
    for (int l = 0; l < 4; ++l)
    {
        // The k-th echo arrives after (k + 1) delays with the gain G^(k+1).
        const int k = 44100 / delays[l];
        const int at = k * delays[l];
        const double echoDb = toDb (std::fabs (lanes[l][(size_t) at]));
        EXPECT_NEAR (echoDb, -60.0 * at / 44100.0, 0.05) << "lane " << l;
    }

    // With G = 0 the comb gives what the line held, low-passed, and then silence
    // (denormals flushed, as on the audio thread).
    juce::ScopedNoDenormals noDenormals;
    comb.setFeedback (Float4 (0.0f));
    comb.setDamping (5000.0f, sr);
    for (int n = 0; n < 3002; ++n)
        comb.process (Float4 (0.0f));
    for (int n = 0; n < 5000; ++n)
        ASSERT_EQ (comb.process (Float4 (0.0f))[3], 0.0f);
}

TEST (AllPassChain4, EachLaneHasAFlatMagnitudeAndZeroDelayLanesPassTheInput)
{
    AllPassChain4 ap;
    ap.allocate (512);
    ap.setDelay (Float4 (37.0f, 101.0f, 0.0f, 13.0f));
    ap.setGains (Float4 (-0.7f, 0.6f, 0.5f, 0.707f));

    std::vector<float> lanes[4];
    for (int n = 0; n < 40000; ++n)
    {
        const Float4 y = ap.process (Float4 (n == 0 ? 1.0f : 0.0f));
        for (int l = 0; l < 4; ++l)
            lanes[l].push_back (y[l]);
    }
    for (int l : { 0, 1, 3 })
    {
        for (double f : { 50.0, 1234.5, 9000.0 })
            EXPECT_NEAR (magnitudeAt (lanes[l], f, 44100.0), 1.0, 1e-3) << "lane " << l << " at " << f;
    }
    // A lane without delay uses its input as the delayed sample: d = x, w = g x + x, out = x - g w.
    EXPECT_FLOAT_EQ (lanes[2][0], 1.0f - 0.5f * (0.5f + 1.0f));
    EXPECT_FLOAT_EQ (lanes[2][1], 0.0f);
}

TEST (ModulatedLine4, ReadsFurtherBackByTheLfoAndReportsOutOfRangeReads)
{
    const float sr = 44100.0f;
    ModulatedLine4 line;
    line.allocate (2000);
    line.setDelay (Float4 (100.0f));
    line.setFeedback (Float4 (0.0f));
    line.setModulationDepth (Float4 (0.0f, 10.0f, 20.0f, 30.0f));
    line.setModulationRate (Float4 (0.0f), sr); // LFO frozen at its start value 0.5

    // Output = input delayed by 100 + 0.5 * depth samples (whole numbers here).
    std::vector<float> lanes[4];
    for (int n = 0; n < 300; ++n)
    {
        const Float4 y = line.process (Float4 (n == 0 ? 1.0f : 0.0f));
        for (int l = 0; l < 4; ++l)
            lanes[l].push_back (y[l]);
    }
    const int expectAt[4] = { 100, 105, 110, 115 };
    for (int l = 0; l < 4; ++l)
        EXPECT_FLOAT_EQ (lanes[l][(size_t) expectAt[l]], 1.0f) << "lane " << l;

    // A negative depth asks for a read ahead of the write position.
    ModulatedLine4 bad;
    bad.allocate (200);
    bad.setDelay (Float4 (1.0f));
    bad.setModulationDepth (Float4 (-8.0f, 0.0f, 0.0f, 0.0f));
    testing::internal::CaptureStdout();
    float out = 0.0f;
    for (int n = 0; n < 4; ++n)
        out += bad.process (Float4 (1.0f))[0];
    EXPECT_NE (testing::internal::GetCapturedStdout().find ("Offset index is out of range!\n"), std::string::npos);
    EXPECT_TRUE (std::isfinite (out));
}

TEST (OVWaveTableOscillator, ReadsTheUnipolarSineWithOffsetsAndWraps)
{
    OVWaveTableOscillator osc (makeUnipolarSineTable (4096), 4096);
    EXPECT_EQ (osc.getTable()[0][0], 0.5f);
    EXPECT_FLOAT_EQ (osc.getTable()[1024][2], 1.0f);

    // A quarter cycle ahead reads entry 1024, the sine's top.
    EXPECT_FLOAT_EQ (osc.getNextSample (Float4 (0.25f))[0], 1.0f);

    // Half an entry before the end interpolates between the last entry and entry 0.
    osc.setPhase (Float4 (4095.5f));
    const float last = osc.getTable()[4095][0];
    EXPECT_FLOAT_EQ (osc.getNextSample (Float4 (0.0f))[1], 0.5f * last + 0.5f * 0.5f);

    // Increments from frequencies; the phase wraps at the table length.
    osc.setPhase (Float4 (0.0f));
    const Float4 w = osc.setFrequency (Float4 (1.0f, 10.0f, 30000.0f, 441.0f), Float4 (44100.0f));
    EXPECT_FLOAT_EQ (osc.getIncrement()[3], 4096.0f * 441.0f / 44100.0f);
    EXPECT_FLOAT_EQ (w[2], 3.14159265f); // clamped at half the rate
    for (int n = 0; n < 123; ++n)
        osc.getNextSample (Float4 (0.0f));
    EXPECT_NEAR (osc.getPhase()[3], std::fmod (123.0 * 40.96, 4096.0), 0.05);
    EXPECT_LT (osc.getPhase()[3], 4096.0f);
}

TEST (Biquad, ButterworthSectionsAgreeAcrossFormsAndBreakAtMinusThreeDecibels)
{
    const double sr = 44100.0;
    const auto lp = Biquad4Coefficients::fromDesigns (BiquadDesign::butterworthLowPass (1000.0, sr),
                                                      BiquadDesign::butterworthHighPass (1000.0, sr),
                                                      BiquadDesign::butterworthHighPass (10.0, sr),
                                                      BiquadDesign::butterworthHighPass (18000.0, sr));
    BiquadTDF2 tdf2;
    BiquadDF2 df2;
    BiquadDF1 df1;
    tdf2.setCoefficients (lp);
    df2.setCoefficients (lp);
    df1.setCoefficients (lp);

    std::vector<float> lanes[4];
    for (int n = 0; n < 65536; ++n)
    {
        const Float4 x (n == 0 ? 1.0f : 0.0f);
        const Float4 a = tdf2.process (x), b = df2.process (x), c = df1.process (x);
        for (int l = 0; l < 4; ++l)
        {
            // The 10 Hz lane's poles sit too close to 1 for the direct forms to agree closely.
            const float tolerance = l == 2 ? 1e-4f : 2e-6f;
            ASSERT_NEAR (a[l], b[l], tolerance) << "lane " << l << " sample " << n;
            ASSERT_NEAR (a[l], c[l], tolerance) << "lane " << l << " sample " << n;
            lanes[l].push_back (a[l]);
        }
    }
    EXPECT_NEAR (toDb (magnitudeAt (lanes[0], 1000.0, sr)), -3.0103, 0.01);
    EXPECT_NEAR (toDb (magnitudeAt (lanes[1], 1000.0, sr)), -3.0103, 0.01);
    EXPECT_NEAR (toDb (magnitudeAt (lanes[2], 10.0, sr)), -3.0103, 0.05);
    EXPECT_NEAR (toDb (magnitudeAt (lanes[3], 18000.0, sr)), -3.0103, 0.01);
    EXPECT_NEAR (toDb (magnitudeAt (lanes[0], 100.0, sr)), 0.0, 0.001);
    EXPECT_LT (toDb (magnitudeAt (lanes[0], 10000.0, sr)), -39.0);
}
