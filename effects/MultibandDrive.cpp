#include "MultibandDrive.h"

#include "dsp/FastMath.h"
#include "dsp/Float4Lanes.h"

#include <DriveCurvesData.h>
#include <juce_core/juce_core.h>

#include <cfloat>
#include <cmath>
#include <cstring>

namespace corvane
{

namespace
{
    constexpr int resourceBytes = 4 * MultibandDrive::curveEntries * 16 + 16 * 4;

    constexpr float level1Splits[3] = { 861.911f, 3417.64f, 7677.2f };
    constexpr float level2Splits[4][3] = {
        { 63.2444f, 222.978f, 489.2f },
        { 1341.11f, 1926.8f, 2618.98f },
        { 4322.8f, 5334.44f, 6452.58f },
        { 9008.31f, 10445.9f, 11990.0f },
    };

    // Per band: macro weights w1..w4 and the tone low-pass frequency.
    struct BandSpec { float w[4]; float toneHz; };
    constexpr BandSpec bandSpecs[MultibandDrive::numBands] = {
        { { 1.0f, 0.0f, 0.0f, 0.0f }, 180.0f },
        { { 0.7f, 0.0f, 0.0f, 0.0f }, 544.0f },
        { { 0.1f, 0.0f, 0.0f, 0.0f }, 1200.0f },
        { { 0.0f, 0.1f, 0.0f, 0.0f }, 2000.0f },
        { { 0.0f, 1.0f, 0.01f, 0.0f }, 2300.0f },
        { { 0.0f, 0.3f, 0.9f, 0.0f }, 2700.0f },
        { { 0.0f, 0.02f, 1.0f, 0.0f }, 4000.8f },
        { { 0.0f, 0.0f, 0.7f, 0.0f }, 5000.98f },
        { { 0.0f, 0.0f, 0.5f, 0.01f }, 5600.64f },
        { { 0.0f, 0.0f, 0.3f, 0.05f }, 6200.8f },
        { { 0.0f, 0.0f, 0.1f, 0.1f }, 7000.44f },
        { { 0.0f, 0.0f, 0.05f, 0.4f }, 8000.58f },
        { { 0.0f, 0.0f, 0.01f, 0.6f }, 9000.2f },
        { { 0.0f, 0.0f, 0.0f, 0.8f }, 12000.31f },
        { { 0.0f, 0.0f, 0.0f, 0.9f }, 14000.9f },
        { { 0.0f, 0.0f, 0.0f, 0.8f }, 18000.0f },
    };

    // The fixed settings of the design.
    constexpr float fixedTone = 0.5f;
    constexpr float fixedDriveMacros[4] = { 6.7f, 12.7f, 6.3f, 0.0f };
    constexpr float fixedOutputMacros[4] = { -4.75f, -3.75f, -2.1f, 0.0f };
    constexpr float fixedInputTrimDb = 0.0f, fixedOutputTrimDb = 0.0f;
    constexpr float fixedWetScale = 1.0f;
    constexpr float inputOffsetDb = 0.24f;
    constexpr float outputOffsetDb = -14.39999f;
    constexpr float lowBandBoost = 4.0f;

    constexpr float dbToExp = 0.11512925464970228f; // ln 10 / 20

    float dbToGain (float db) { return std::pow (10.0f, db / 20.0f); }

    /** Group m, lane j belongs to band 4j + m. */
    constexpr int bandOf (int group, int lane) { return 4 * lane + group; }

    Biquad4Coefficients lowPass4 (const float* f, double sr)
    {
        return Biquad4Coefficients::fromDesigns (BiquadDesign::butterworthLowPass (f[0], sr), BiquadDesign::butterworthLowPass (f[1], sr),
                                                 BiquadDesign::butterworthLowPass (f[2], sr), BiquadDesign::butterworthLowPass (f[3], sr));
    }

    Biquad4Coefficients highPass4 (const float* f, double sr)
    {
        return Biquad4Coefficients::fromDesigns (BiquadDesign::butterworthHighPass (f[0], sr), BiquadDesign::butterworthHighPass (f[1], sr),
                                                 BiquadDesign::butterworthHighPass (f[2], sr), BiquadDesign::butterworthHighPass (f[3], sr));
    }

    /** LP (f) + HP (f) of the Linkwitz-Riley pair as one second-order all-pass:
        the Butterworth denominator over its mirror image. */
    BiquadDesign allPassOf (double frequency, double sr)
    {
        const auto d = BiquadDesign::butterworthLowPass (frequency, sr);
        BiquadDesign ap;
        ap.b0 = d.a2;
        ap.b1 = d.a1;
        ap.b2 = 1.0;
        ap.a1 = d.a1;
        ap.a2 = d.a2;
        return ap;
    }

    /** { LP (f), HP (f), LP (f), HP (f) } */
    Biquad4Coefficients lowHighPair (float f, double sr)
    {
        const auto lp = BiquadDesign::butterworthLowPass (f, sr);
        const auto hp = BiquadDesign::butterworthHighPass (f, sr);
        return Biquad4Coefficients::fromDesigns (lp, hp, lp, hp);
    }
}

//==============================================================================
void MultibandDrive::Tree::reset() noexcept
{
    for (auto* f : { &lp1, &hp1, &lp2, &hp2, &lp3, &hp3 })
        f->reset();
    for (auto* f : { &ap2, &ap3Band0, &ap3Band1 })
        f->reset();
}

void MultibandDrive::Tree::process (Float4 x, Float4* bands) noexcept
{
    const Float4 low1 = lp1.process (x);
    const Float4 high1 = hp1.process (x);
    const Float4 allPass2 = ap2.process (low1);
    const Float4 mid = lp2.process (high1);
    const Float4 high2 = hp2.process (high1);
    bands[0] = ap3Band0.process (allPass2);
    bands[1] = ap3Band1.process (mid);
    bands[2] = lp3.process (high2);
    bands[3] = hp3.process (high2);
}

void MultibandDrive::Level1::reset() noexcept
{
    a.reset();
    b.reset();
    c1.reset();
    c2.reset();
}

Float4 MultibandDrive::Level1::process (float x) noexcept
{
    // The level-1 tree has one input, so its parallel filters share vectors:
    // { LP1, HP1 }, then { LP2, HP2 } of each, then { LP3, HP3 } of three signals.
    const Float4 s1 = a.process (Float4 (x));                                  // { lp1, hp1, lp1, hp1 }
    const Float4 s2 = b.process (lanes::shuffle<0, 0, 1, 1> (s1));             // { LP2 lp1, HP2 lp1, LP2 hp1, HP2 hp1 }
    const Float4 allPass2 = lanes::broadcast<0> (s2) + lanes::broadcast<1> (s2);
    const Float4 s3 = c1.process (lanes::shuffle2<0, 0, 2, 2> (allPass2, s2)); // { LP3 ap2, HP3 ap2, LP3 mid, HP3 mid }
    const Float4 s4 = c2.process (lanes::broadcast<3> (s2));                   // { LP3 high2, HP3 high2, .. }
    // { AP3 ap2, AP3 mid, LP3 high2, HP3 high2 }
    const Float4 sums = lanes::shuffle<0, 2, 0, 2> (s3) + lanes::shuffle<1, 3, 1, 3> (s3);
    return lanes::shuffle2<0, 1, 0, 1> (sums, s4);
}

//==============================================================================
MultibandDrive::MultibandDrive()
    : curves ((size_t) 4 * curveEntries)
{
    for (int m = 0; m < 4; ++m)
    {
        for (int k = 0; k < 4; ++k)
            weights[m][k] = Float4 (bandSpecs[bandOf (m, 0)].w[k], bandSpecs[bandOf (m, 1)].w[k],
                                    bandSpecs[bandOf (m, 2)].w[k], bandSpecs[bandOf (m, 3)].w[k]);
        // Bands 0 and 1 (lane 0 of groups 0 and 1) get the low-band boost.
        boost[m] = Float4 (m < 2 ? lowBandBoost : 1.0f, 1.0f, 1.0f, 1.0f);
    }

    loadCurves();
    design (44100.0f);
    updateBandGains();
}

void MultibandDrive::loadCurves()
{
    std::vector<char> raw ((size_t) resourceBytes);
    {
        auto* source = new juce::MemoryInputStream (CorvaneDriveCurvesData::DriveCurves_bin,
                                                    (size_t) CorvaneDriveCurvesData::DriveCurves_binSize, false);
        juce::GZIPDecompressorInputStream in (source, true, juce::GZIPDecompressorInputStream::zlibFormat);
        int got = 0;
        while (got < resourceBytes)
        {
            const int n = in.read (raw.data() + got, resourceBytes - got);
            if (n <= 0)
                break;
            got += n;
        }
        loaded = (got == resourceBytes);
    }

    if (! loaded)
    {
        // A broken resource leaves flat-zero curves: the wet signal is silent.
        for (auto& t : trims)
            t = Float4 (0.0f);
        return;
    }

    std::memcpy (curves.data(), raw.data(), (size_t) 4 * curveEntries * sizeof (Float4));
    float rawTrims[16];
    std::memcpy (rawTrims, raw.data() + (size_t) 4 * curveEntries * sizeof (Float4), sizeof (rawTrims));
    for (int m = 0; m < 4; ++m)
        trims[m] = Float4 (rawTrims[4 * m] * 0.12f, rawTrims[4 * m + 1] * 0.12f, rawTrims[4 * m + 2] * 0.12f, rawTrims[4 * m + 3] * 0.12f);

    // Straight starts: in every lane up to entry 150; in lane 0 (the four lowest bands)
    // longer ones, up to entries 30000, 20000, 5000 and 1000.
    float* c = reinterpret_cast<float*> (curves.data());
    const auto straighten = [c] (int table, int lane, int upTo) {
        float* t = c + (size_t) table * curveEntries * 4;
        const float end = t[(size_t) upTo * 4 + (size_t) lane];
        for (int n = 0; n < upTo; ++n)
            t[(size_t) n * 4 + (size_t) lane] = (float) n * end / (float) upTo;
    };
    for (int table = 0; table < 4; ++table)
        for (int lane = 0; lane < 4; ++lane)
            straighten (table, lane, 150);
    const int lowBandStarts[4] = { 30000, 20000, 5000, 1000 };
    for (int table = 0; table < 4; ++table)
        straighten (table, 0, lowBandStarts[table]);
}

void MultibandDrive::design (float sampleRate)
{
    const double sr = sampleRate;
    Level1Coefficients l1;
    l1.a = lowHighPair (level1Splits[0], sr);
    l1.b = lowHighPair (level1Splits[1], sr);
    l1.c = lowHighPair (level1Splits[2], sr);

    float f[3][4];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 4; ++j)
            f[k][j] = level2Splits[j][k];
    const auto lp1 = lowPass4 (f[0], sr), hp1 = highPass4 (f[0], sr);
    const auto lp2 = lowPass4 (f[1], sr), hp2 = highPass4 (f[1], sr);
    const auto lp3 = lowPass4 (f[2], sr), hp3 = highPass4 (f[2], sr);
    const auto ap2 = Biquad4Coefficients::fromDesigns (allPassOf (f[1][0], sr), allPassOf (f[1][1], sr),
                                                       allPassOf (f[1][2], sr), allPassOf (f[1][3], sr));
    const auto ap3 = Biquad4Coefficients::fromDesigns (allPassOf (f[2][0], sr), allPassOf (f[2][1], sr),
                                                       allPassOf (f[2][2], sr), allPassOf (f[2][3], sr));

    // Each level-2 tree shifts the phase of its A-band by the all-passes of its own three
    // frequencies. Without the other trees' all-passes as well, neighbouring A-bands meet out
    // of phase at the level-1 crossovers and the dry sum dips by up to 2.6 dB there; with
    // them every A-band carries the same all-pass response and the dry sum stays flat.
    Biquad4Coefficients phaseMatch[9];
    for (int r = 1; r <= 3; ++r)
        for (int k = 0; k < 3; ++k)
            phaseMatch[(r - 1) * 3 + k] = Biquad4Coefficients::fromDesigns (
                allPassOf (level2Splits[(0 + r) % 4][k], sr), allPassOf (level2Splits[(1 + r) % 4][k], sr),
                allPassOf (level2Splits[(2 + r) % 4][k], sr), allPassOf (level2Splits[(3 + r) % 4][k], sr));

    Biquad4Coefficients tone[4];
    for (int m = 0; m < 4; ++m)
    {
        const float toneHz[4] = { bandSpecs[bandOf (m, 0)].toneHz, bandSpecs[bandOf (m, 1)].toneHz,
                                  bandSpecs[bandOf (m, 2)].toneHz, bandSpecs[bandOf (m, 3)].toneHz };
        tone[m] = lowPass4 (toneHz, sr);
    }

    // The DC high-pass: designed in double precision, stored as floats.
    const auto dc = BiquadDesign::butterworthHighPass (10.0, sr);
    dcB0 = (float) dc.b0;
    dcB1 = (float) dc.b1;
    dcB2 = (float) dc.b2;
    dcA1 = (float) dc.a1;
    dcA2 = (float) dc.a2;

    for (auto& ch : channels)
    {
        ch.level1.a.set (l1.a);
        ch.level1.b.set (l1.b);
        ch.level1.c1.set (l1.c);
        ch.level1.c2.set (l1.c);
        ch.level1.reset();
        for (int i = 0; i < 9; ++i)
        {
            ch.phaseMatch[i].setCoefficients (phaseMatch[i]);
            ch.phaseMatch[i].reset();
        }

        auto& t = ch.level2;
        t.lp1.set (lp1);
        t.hp1.set (hp1);
        t.ap2.setCoefficients (ap2);
        t.lp2.set (lp2);
        t.hp2.set (hp2);
        t.ap3Band0.setCoefficients (ap3);
        t.ap3Band1.setCoefficients (ap3);
        t.lp3.set (lp3);
        t.hp3.set (hp3);
        t.reset();

        for (int m = 0; m < 4; ++m)
        {
            ch.tone[m].setCoefficients (tone[m]);
            ch.tone[m].reset();
        }
        ch.dcS1 = ch.dcS2 = 0.0f;
    }
}

void MultibandDrive::prepare (float sampleRate)
{
    design (sampleRate);

    tone.snap();
    for (int i = 0; i < 4; ++i)
    {
        driveMacro[i].snap();
        outputMacro[i].snap();
    }
    inputTrim.snap();
    outputTrim.snap();
    amount.snap();
    wetScale.snap();

    tone.setTarget (fixedTone);
    for (int i = 0; i < 4; ++i)
    {
        driveMacro[i].setTarget (fixedDriveMacros[i]);
        outputMacro[i].setTarget (fixedOutputMacros[i]);
    }
    inputTrim.setTarget (dbToGain (fixedInputTrimDb));
    outputTrim.setTarget (dbToGain (fixedOutputTrimDb));
    wetScale.setTarget (fixedWetScale);
    gainsNeedUpdate = true;
    rampsIdle = false;
}

void MultibandDrive::setAmount (float newAmount, int blockLength)
{
    for (auto* r : { &tone, &driveMacro[0], &driveMacro[1], &driveMacro[2], &driveMacro[3], &outputMacro[0], &outputMacro[1],
                     &outputMacro[2], &outputMacro[3], &inputTrim, &outputTrim, &amount, &wetScale })
        r->setRampLength (blockLength);

    amount.setTarget (newAmount);
    if (anyRamping())
        rampsIdle = false;
}

bool MultibandDrive::anyRamping() const noexcept
{
    bool r = tone.isRamping() || inputTrim.isRamping() || outputTrim.isRamping() || amount.isRamping() || wetScale.isRamping();
    for (int i = 0; i < 4; ++i)
        r = r || driveMacro[i].isRamping() || outputMacro[i].isRamping();
    return r;
}

void MultibandDrive::updateBandGains() noexcept
{
    const float M[4] = { driveMacro[0].getCurrent(), driveMacro[1].getCurrent(), driveMacro[2].getCurrent(), driveMacro[3].getCurrent() };
    const float O[4] = { outputMacro[0].getCurrent(), outputMacro[1].getCurrent(), outputMacro[2].getCurrent(), outputMacro[3].getCurrent() };
    const Float4 inTrim (inputTrimNow);

    for (int m = 0; m < 4; ++m)
    {
        Float4 d (0.0f), o (0.0f);
        for (int k = 0; k < 4; ++k)
        {
            d = d + weights[m][k] * M[k];
            o = o + weights[m][k] * O[k];
        }
        inputGain[m] = inTrim * fastmath::exp ((d - trims[m] + inputOffsetDb) * dbToExp);
        outputGain[m] = fastmath::exp ((o + trims[m] - 0.4f * d + outputOffsetDb) * dbToExp) * boost[m];
    }
}

float MultibandDrive::process (float sample, int channel) noexcept
{
    if (channel <= 0 && ! rampsIdle)
    {
        // Once per sample, before the first channel: advance the settings (nothing to do
        // once every ramp has landed and the gains have followed).
        bool moving = tone.isRamping() || inputTrim.isRamping() || outputTrim.isRamping() || amount.isRamping() || wetScale.isRamping();
        for (int i = 0; i < 4; ++i)
            moving = moving || driveMacro[i].isRamping() || outputMacro[i].isRamping();

        toneNow = tone.next();
        for (int i = 0; i < 4; ++i)
        {
            driveMacro[i].next();
            outputMacro[i].next();
        }
        inputTrimNow = inputTrim.next();
        outputTrimNow = outputTrim.next();
        const float a = amount.next();
        amountWetNow = a * wetScale.next();

        // The gains only change while a ramp moves, and once more when it lands on its target.
        if (moving || gainsNeedUpdate)
        {
            updateBandGains();
            gainsNeedUpdate = moving;
        }
        rampsIdle = ! moving && ! gainsNeedUpdate && ! anyRamping();
    }

    auto& ch = channels[channel > 0 ? 1 : 0];

    Float4 aBands = ch.level1.process (sample);
    for (auto& ap : ch.phaseMatch)
        aBands = ap.process (aBands);

    Float4 bands[4];
    ch.level2.process (aBands, bands);

    const Float4 toneMix (toneNow), dryMix (1.0f - toneNow);
    const Float4 maxFinite (FLT_MAX), one (1.0f), signBit (-0.0f);
    const float* table = reinterpret_cast<const float*> (curves.data());
    Float4 wet (0.0f), dry (0.0f);

    for (int m = 0; m < 4; ++m)
    {
        const Float4 z = bands[m] * inputGain[m];
        const Float4 magnitude = abs (z);

        // Any infinite or NaN input silences the whole group rather than read out of range.
        Float4 shaped (0.0f);
        if (allLanes (magnitude <= maxFinite))
        {
            alignas (16) int index[4];
            lanes::toInts (min (magnitude, one) * (float) lastCurveEntry, index);
            const float* t = table + (size_t) m * curveEntries * 4;
            const Float4 v (t[index[0] * 4], t[index[1] * 4 + 1], t[index[2] * 4 + 2], t[index[3] * 4 + 3]);
            shaped = v | (z & signBit);
        }

        const Float4 lp = ch.tone[m].process (shaped);
        wet = wet + (dryMix * shaped + toneMix * lp) * outputGain[m];
        dry = dry + bands[m];
    }

    const float s = outputTrimNow * amountWetNow * lanes::sum (wet) + (1.0f - amountWetNow) * lanes::sum (dry);

    // 10 Hz DC high-pass (transposed direct form II) with tiny values flushed to zero.
    float y = dcB0 * s + ch.dcS1;
    if (y > -1e-8f && y < 1e-8f)
        y = 0.0f;
    ch.dcS1 = dcB1 * s - dcA1 * y + ch.dcS2;
    ch.dcS2 = dcB2 * s - dcA2 * y;
    return y;
}

//==============================================================================
float MultibandDrive::getCurveValue (int band, int entry) const noexcept
{
    const int m = band & 3, lane = (band >> 2) & 3;
    entry = entry < 0 ? 0 : (entry >= curveEntries ? curveEntries - 1 : entry);
    return reinterpret_cast<const float*> (curves.data())[((size_t) m * curveEntries + (size_t) entry) * 4 + (size_t) lane];
}

float MultibandDrive::getTrimDb (int band) const noexcept { return trims[band & 3][(band >> 2) & 3]; }
float MultibandDrive::getInputGainDb (int band) const noexcept { return 20.0f * std::log10 (inputGain[band & 3][(band >> 2) & 3]); }
float MultibandDrive::getOutputGainDb (int band) const noexcept { return 20.0f * std::log10 (outputGain[band & 3][(band >> 2) & 3]); }

} // namespace corvane
