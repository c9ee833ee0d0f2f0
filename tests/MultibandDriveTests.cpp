#include "effects/MultibandDrive.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvane;
using namespace corvane::testing_support;

namespace
{
    constexpr float sr = 44100.0f;

    /** Runs a mono signal through the drive in blocks, the amount set every block. */
    std::vector<float> run (MultibandDrive& drive, const std::vector<float>& in, float amount, int block = 512)
    {
        std::vector<float> out (in.size());
        for (size_t start = 0; start < in.size(); start += (size_t) block)
        {
            const size_t end = std::min (in.size(), start + (size_t) block);
            drive.setAmount (amount, (int) (end - start));
            for (size_t n = start; n < end; ++n)
                out[n] = drive.process (in[n], 0);
        }
        return out;
    }

    std::vector<float> sine (double frequency, float amplitude, size_t length)
    {
        std::vector<float> x (length);
        for (size_t n = 0; n < length; ++n)
            x[n] = amplitude * (float) std::sin (twoPi * frequency * (double) n / sr);
        return x;
    }

    /** A drive prepared and run for a while at the amount, its first-block glides done. */
    void settle (MultibandDrive& drive, float amount)
    {
        drive.prepare (sr);
        run (drive, std::vector<float> (4096, 0.0f), amount);
    }
}

TEST (MultibandDrive, CurvesAsUsedMeetTheirTabledPoints)
{
    MultibandDrive drive;
    ASSERT_TRUE (drive.curvesLoaded());

    const int entries[7] = { 150, 1000, 3000, 5000, 10000, 20000, 65534 };
    const float table[16][7] = {
        { 0.0031f, 0.0208f, 0.0623f, 0.1038f, 0.2076f, 0.4153f, 0.6229f },
        { 0.0048f, 0.0320f, 0.0961f, 0.1602f, 0.3204f, 0.6407f, 0.6407f },
        { 0.0149f, 0.0992f, 0.2975f, 0.4959f, 0.6190f, 0.6396f, 0.6396f },
        { 0.0212f, 0.1411f, 0.3792f, 0.4956f, 0.6187f, 0.6391f, 0.6391f },
        { 0.0191f, 0.1416f, 0.3797f, 0.4958f, 0.6187f, 0.6390f, 0.6390f },
        { 0.0204f, 0.1418f, 0.3791f, 0.4951f, 0.6191f, 0.6389f, 0.6389f },
        { 0.0205f, 0.1419f, 0.3802f, 0.4947f, 0.6185f, 0.6391f, 0.6391f },
        { 0.0209f, 0.1430f, 0.3795f, 0.4967f, 0.6194f, 0.6396f, 0.6396f },
        { 0.0211f, 0.1426f, 0.3795f, 0.4962f, 0.6197f, 0.6403f, 0.6403f },
        { 0.0210f, 0.1424f, 0.3797f, 0.4963f, 0.6194f, 0.6409f, 0.6409f },
        { 0.0209f, 0.1426f, 0.3805f, 0.4965f, 0.6190f, 0.6409f, 0.6409f },
        { 0.0207f, 0.1427f, 0.3797f, 0.4965f, 0.6197f, 0.6420f, 0.6420f },
        { 0.0208f, 0.1426f, 0.3802f, 0.4970f, 0.6191f, 0.6417f, 0.6417f },
        { 0.0211f, 0.1430f, 0.3797f, 0.4957f, 0.6178f, 0.6418f, 0.6418f },
        { 0.0213f, 0.1371f, 0.3712f, 0.4965f, 0.6150f, 0.6425f, 0.6425f },
        { 0.0207f, 0.1414f, 0.3796f, 0.4968f, 0.6192f, 0.6454f, 0.6454f },
    };

    for (int b = 0; b < 16; ++b)
    {
        for (int k = 0; k < 7; ++k)
            EXPECT_NEAR (drive.getCurveValue (b, entries[k]), table[b][k], 0.6e-4f) << "band " << b << " entry " << entries[k];

        // Monotonic from 0, straight to entry 150, flat at the ceiling from entry 16000 (bands 0 and 1: 30000, 20000).
        EXPECT_EQ (drive.getCurveValue (b, 0), 0.0f);
        EXPECT_NEAR (drive.getCurveValue (b, 75), 0.5f * drive.getCurveValue (b, 150), 1e-6f);
        for (int e = 1; e <= MultibandDrive::lastCurveEntry; ++e)
            ASSERT_GE (drive.getCurveValue (b, e), drive.getCurveValue (b, e - 1)) << "band " << b << " entry " << e;
        EXPECT_EQ (drive.getCurveValue (b, b == 0 ? 30000 : (b == 1 ? 20000 : 16000)), drive.getCurveValue (b, 65534)) << "band " << b;
    }

    // The straight starts of the four lowest bands.
    EXPECT_NEAR (drive.getCurveValue (0, 15000), 0.5f * drive.getCurveValue (0, 30000), 1e-6f);
    EXPECT_NEAR (drive.getCurveValue (1, 10000), 0.5f * drive.getCurveValue (1, 20000), 1e-6f);
    EXPECT_NEAR (drive.getCurveValue (2, 2500), 0.5f * drive.getCurveValue (2, 5000), 1e-6f);
    EXPECT_NEAR (drive.getCurveValue (3, 500), 0.5f * drive.getCurveValue (3, 1000), 1e-6f);

    // Trims arrive in the order 0, 4, 8, 12, 1, 5, ... and are scaled by 0.12.
    EXPECT_NEAR (drive.getTrimDb (0), -0.24295f, 1e-5f);
    EXPECT_NEAR (drive.getTrimDb (4), -0.73199f, 1e-5f);
    EXPECT_NEAR (drive.getTrimDb (12), -0.39634f, 1e-5f);
    EXPECT_NEAR (drive.getTrimDb (3), -3.0f, 1e-5f);
    EXPECT_NEAR (drive.getTrimDb (15), -0.26772f, 1e-5f);
}

TEST (MultibandDrive, BandGainsFollowTheMacrosTrimsAndOffsets)
{
    MultibandDrive drive;
    settle (drive, 0.5f);
    const float inputDb[16] = { 7.18f, 5.23f, 1.75f, 4.51f, 13.73f, 10.20f, 7.22f, 5.18f, 3.74f, 2.49f, 1.29f, 1.16f, 0.70f, 0.64f, 0.71f, 0.51f };
    const float outputDb[16] = { -10.03f, -7.86f, -15.98f, -18.28f, -24.01f, -21.68f, -19.62f, -18.16f,
                                 -17.06f, -16.15f, -15.28f, -15.24f, -14.84f, -14.80f, -14.87f, -14.67f };
    for (int b = 0; b < 16; ++b)
    {
        EXPECT_NEAR (drive.getInputGainDb (b), inputDb[b], 0.006f) << "band " << b;
        EXPECT_NEAR (drive.getOutputGainDb (b), outputDb[b], 0.006f) << "band " << b;
    }
}

TEST (MultibandDrive, AmountZeroHasAFlatMagnitudeResponse)
{
    MultibandDrive drive;
    settle (drive, 0.0f);

    std::vector<float> impulse (65536, 0.0f);
    impulse[0] = 1.0f;
    const auto ir = run (drive, impulse, 0.0f);

    std::vector<std::complex<double>> spectrum (ir.begin(), ir.end());
    fft (spectrum);
    double worst = 0.0;
    for (size_t k = 1; k < spectrum.size() / 2; ++k)
    {
        const double f = (double) k * sr / (double) spectrum.size();
        if (f < 40.0 || f > 20000.0)
            continue;
        worst = std::fmax (worst, std::fabs (toDb (std::abs (spectrum[k]))));
    }
    EXPECT_LT (worst, 0.03); // only the 10 Hz high-pass shows, a little, at the bottom

    // A 1 kHz sine keeps its level.
    auto x = sine (1000.0, 0.5f, 44100);
    const auto y = run (drive, x, 0.0f);
    EXPECT_NEAR (rms (y, 22050) / rms (x, 22050), 1.0, 0.002);
}

TEST (MultibandDrive, DcDecaysAndSilenceGivesExactZeros)
{
    for (float amount : { 0.0f, 0.5f, 1.0f })
    {
        MultibandDrive drive;
        settle (drive, amount);
        const auto y = run (drive, std::vector<float> (88200, 0.5f), amount);
        EXPECT_LT (std::fabs (y.back()), 1e-3f) << "amount " << amount; // -54 dB of the step

        MultibandDrive quiet;
        quiet.prepare (sr);
        const auto z = run (quiet, std::vector<float> (20000, 0.0f), amount);
        for (float v : z)
            ASSERT_EQ (v, 0.0f);
    }
}

TEST (MultibandDrive, AmountOneSaturatesALoudBandIntoASquare)
{
    // 119 Hz sits in the middle of band 1, straight up to entry 20000 then flat: loud, it is clipped flat.
    const auto x = sine (119.0, 0.9f, 88200);

    MultibandDrive clean, driven;
    settle (clean, 0.0f);
    settle (driven, 1.0f);
    const auto dry = run (clean, x, 0.0f);
    const auto wet = run (driven, x, 1.0f);

    const size_t from = 44100;
    EXPECT_NEAR (peak (dry, from) / rms (dry, from), std::sqrt (2.0), 0.02);
    EXPECT_LT (peak (wet, from) / rms (wet, from), 1.25);

    // Twice the level in gives (nearly) the same level out.
    std::vector<float> louder (x);
    for (auto& v : louder)
        v *= 2.0f;
    MultibandDrive driven2;
    settle (driven2, 1.0f);
    const auto wet2 = run (driven2, louder, 1.0f);
    EXPECT_NEAR (toDb (rms (wet2, from) / rms (wet, from)), 0.0, 2.0) << "crest " << peak (wet, from) / rms (wet, from);
}

TEST (MultibandDrive, BothChannelsAreIndependentAndNonFiniteInputReadsNothingOutOfRange)
{
    MultibandDrive drive;
    drive.prepare (sr);
    std::mt19937 rng (5);
    std::uniform_real_distribution<float> u (-1.0f, 1.0f);
    MultibandDrive mono;
    mono.prepare (sr);
    for (int n = 0; n < 5000; ++n)
    {
        if (n % 512 == 0)
        {
            drive.setAmount (0.7f, 512);
            mono.setAmount (0.7f, 512);
        }
        const float x = u (rng);
        const float a = drive.process (x, 0);
        drive.process (u (rng), 1);
        ASSERT_EQ (a, mono.process (x, 0));
    }

    // An infinite or NaN sample silences the saturated bands instead of indexing the curves with it.
    drive.process (std::numeric_limits<float>::infinity(), 0);
    drive.process (std::numeric_limits<float>::quiet_NaN(), 1);
}
