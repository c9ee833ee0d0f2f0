#include "effects/ReverbEngine.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvane;
using namespace corvane::testing_support;

namespace
{
    constexpr float sr = 44100.0f;

    struct Signal
    {
        std::vector<float> ch[2];
        explicit Signal (size_t length) { ch[0].assign (length, 0.0f); ch[1].assign (length, 0.0f); }
    };

    /** Processes the signal in place in blocks, with Reverb Amount v set every block. */
    void run (ReverbEngine& reverb, Signal& s, int numChannels, float v, int block = 512)
    {
        const size_t length = s.ch[0].size();
        for (size_t start = 0; start < length; start += (size_t) block)
        {
            const int n = (int) std::min ((size_t) block, length - start);
            reverb.setDecay (2.0f + 8.0f * v);
            reverb.setMix (v);
            float* chans[2] = { s.ch[0].data() + start, s.ch[1].data() + start };
            reverb.process (chans, numChannels, n);
        }
    }

    /** Prepared, the first block's type change, glides and pre-delay crossfade done. */
    void settle (ReverbEngine& reverb, int numChannels, float v)
    {
        reverb.prepare (sr);
        Signal s (8192);
        run (reverb, s, numChannels, v);
    }

    Signal impulse (size_t length, bool left = true, bool right = true)
    {
        Signal s (length);
        s.ch[0][0] = left ? 1.0f : 0.0f;
        s.ch[1][0] = right ? 1.0f : 0.0f;
        return s;
    }
}

TEST (ReverbEngine, AmountZeroReturnsTheInputExactlyInBothPaths)
{
    for (int channels : { 1, 2 })
    {
        ReverbEngine reverb;
        reverb.prepare (sr);
        Signal s (20000);
        std::mt19937 rng (11);
        std::uniform_real_distribution<float> u (-1.0f, 1.0f);
        for (auto& c : s.ch)
            for (auto& v : c)
                v = u (rng);
        const Signal in = s;
        run (reverb, s, channels, 0.0f);
        for (int c = 0; c < channels; ++c)
            for (size_t n = 256; n < s.ch[c].size(); ++n)
                ASSERT_EQ (s.ch[c][n], in.ch[c][n]) << channels << " channels, channel " << c << ", sample " << n;
    }
}

TEST (ReverbEngine, AmountOneInStereoIsAllWetAndFallsSixtyDecibelsInTenSeconds)
{
    ReverbEngine reverb;
    settle (reverb, 2, 1.0f);
    auto s = impulse ((size_t) (7.0f * sr));
    run (reverb, s, 2, 1.0f);

    EXPECT_EQ (s.ch[0][0], 0.0f); // no dry signal, and nothing has come through the tank yet
    // The damping takes the highs faster; the decay time is that of the lows, so measure below ~300 Hz.
    std::vector<float> low[2];
    for (int c = 0; c < 2; ++c)
    {
        float y = 0.0f;
        for (float v : s.ch[c])
            low[c].push_back (y += 0.04f * (v - y));
    }
    const auto window = [&] (double seconds) {
        const size_t from = (size_t) (seconds * sr);
        return 0.5 * (rms (low[0], from, from + 22050) + rms (low[1], from, from + 22050));
    };
    const double drop = toDb (window (5.5) / window (0.5));
    EXPECT_NEAR (drop, -30.0, 3.0) << toDb (window (3.0) / window (0.5)); // 60 dB per 10 s over 5 s
}

TEST (ReverbEngine, MixLawsAreEqualPowerInStereoAndLinearInMono)
{
    struct Case { int channels; float mix; float dry; float wet; };
    for (const auto& c : { Case { 2, 0.5f, 0.70710677f, 0.70710677f }, Case { 1, 0.5f, 0.5f, 0.5f },
                           Case { 2, 0.25f, 0.8660254f, 0.5f }, Case { 1, 0.25f, 0.75f, 0.25f } })
    {
        ReverbEngine a, full;
        settle (a, c.channels, c.mix);
        settle (full, c.channels, 1.0f);
        auto sa = impulse (1000), sf = impulse (1000);
        // Same decay in both, so the wet paths match; only the mix differs.
        const auto runAt = [&] (ReverbEngine& r, Signal& s, float mix) {
            r.setDecay (2.0f + 8.0f * c.mix);
            r.setMix (mix);
            float* chans[2] = { s.ch[0].data(), s.ch[1].data() };
            r.process (chans, c.channels, 1000);
        };
        runAt (full, sf, 1.0f);
        runAt (a, sa, c.mix);

        EXPECT_NEAR (sa.ch[0][0], c.dry, 1e-6f) << c.channels << " channels, mix " << c.mix;
        // Samples 100 to 900 hold early reflections only.
        const size_t at = 100 + (size_t) std::distance (sf.ch[0].begin() + 100,
                                                        std::max_element (sf.ch[0].begin() + 100, sf.ch[0].begin() + 900,
                                                                          [] (float x, float y) { return std::fabs (x) < std::fabs (y); }));
        ASSERT_GT (std::fabs (sf.ch[0][at]), 1e-3f);
        EXPECT_NEAR (sa.ch[0][at] / sf.ch[0][at], c.wet, 1e-4f) << c.channels << " channels, mix " << c.mix;
    }
}

TEST (ReverbEngine, EarlyReflectionsCarryAlternatingTapOffsetsOnTheLeftOnly)
{
    ReverbEngine reverb;
    settle (reverb, 2, 1.0f);
    auto s = impulse (1000);
    run (reverb, s, 2, 1.0f);

    const auto ratioAtPeak = [&] (size_t from, size_t to) {
        size_t best = from;
        for (size_t n = from; n < to; ++n)
            if (std::fabs (s.ch[1][n]) > std::fabs (s.ch[1][best]))
                best = n;
        return s.ch[0][best] / s.ch[1][best];
    };
    // Tap 0 (4.3 ms) alone until tap 1 (21.5 ms) arrives; then tap 1 dominates.
    EXPECT_NEAR (toDb (ratioAtPeak (150, 940)), -2.8, 0.01);
    EXPECT_NEAR (toDb (ratioAtPeak (945, 975)), 2.826316, 0.05);

    // The gains themselves: the right line plain, the left with t(j) dB.
    EXPECT_FLOAT_EQ (reverb.getRightErGains (0)[1], 0.704f);
    EXPECT_NEAR (reverb.getLeftErGains (4)[1], 0.134f * std::pow (10.0f, (2.8f + 17.0f * 0.5f / 19.0f) / 20.0f), 1e-6f);
    EXPECT_NEAR (reverb.getLeftErGains (2)[0], 0.192f * std::pow (10.0f, (-2.8f - 8.0f * 0.5f / 19.0f) / 20.0f), 1e-6f);

    // At full spread a left-only impulse stays in the left channel.
    ReverbEngine other;
    settle (other, 2, 1.0f);
    auto l = impulse (3000, true, false);
    run (other, l, 2, 1.0f);
    EXPECT_GT (peak (l.ch[0]), 0.01);
    EXPECT_EQ (peak (l.ch[1]), 0.0);
}

TEST (ReverbEngine, ADecayChangeRampsAndTheFeedbackFollowsEverySample)
{
    ReverbEngine reverb;
    settle (reverb, 2, 1.0f);
    EXPECT_EQ (reverb.getDecay(), 10.0f);
    EXPECT_EQ (reverb.getType(), 1);

    Signal s (128);
    reverb.setDecay (2.0f);
    reverb.setMix (0.0f);
    float* chans[2] = { s.ch[0].data(), s.ch[1].data() };
    reverb.process (chans, 2, 128);
    EXPECT_NEAR (reverb.getDecay(), 6.0f, 1e-4f);
    EXPECT_NEAR (reverb.getMix(), 0.5f, 1e-4f);

    const auto expectedG = [] (double delaySeconds, double decay) { return std::pow (10.0, -3.0 * delaySeconds / decay); };
    EXPECT_NEAR (reverb.getCombFeedback (0, 0)[0], expectedG (0.051043, reverb.getDecay()), 2e-5);
    EXPECT_NEAR (reverb.getCombFeedback (1, 4)[3], expectedG (0.195533 + 0.00043, reverb.getDecay()), 2e-5);
}

TEST (ReverbEngine, ABlockLongerThanTheInputBufferIsProcessedInPieces)
{
    const size_t length = (size_t) ReverbEngine::inputBufferFrames + 40000;
    Signal s (length);
    std::mt19937 rng (2);
    std::uniform_real_distribution<float> u (-1.0f, 1.0f);
    for (size_t n = 0; n < length; n += 997)
        s.ch[0][n] = s.ch[1][(n * 7) % length] = u (rng);

    for (int channels : { 1, 2 })
    {
        ReverbEngine whole, pieces;
        whole.prepare (sr);
        pieces.prepare (sr);
        Signal a = s, b = s;
        whole.setDecay (6.0f);
        whole.setMix (0.5f);
        float* chans[2] = { a.ch[0].data(), a.ch[1].data() };
        whole.process (chans, channels, (int) length);
        run (pieces, b, channels, 0.5f, 1024);

        for (int c = 0; c < channels; ++c)
            for (size_t n = 0; n < length; ++n)
                ASSERT_EQ (a.ch[c][n], b.ch[c][n]) << channels << " channels, channel " << c << ", sample " << n;
    }
}

TEST (ReverbEngine, TheMonoPathPreDelaysByHalfAMillisecondAndTheStereoPathDoesNot)
{
    const auto firstReflection = [] (int channels) {
        ReverbEngine reverb;
        settle (reverb, channels, 1.0f); // includes the pre-delay's 4096-sample crossfade
        auto s = impulse (400);
        run (reverb, s, channels, 1.0f);
        for (size_t n = 0; n < s.ch[0].size(); ++n)
            if (std::fabs (s.ch[0][n]) > 1e-3f)
                return (int) n;
        return -1;
    };
    // The first tap sits 4.3 ms (189.6 samples) back; the mono path adds 0.5 ms (22.05 samples).
    EXPECT_EQ (firstReflection (2), 189);
    EXPECT_EQ (firstReflection (1), 211);
}
