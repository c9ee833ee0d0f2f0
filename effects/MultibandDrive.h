#pragma once

#include "dsp/Biquad.h"
#include "dsp/Float4.h"
#include "dsp/RampedValue.h"

#include <vector>

namespace corvane
{

/** Sixteen-band drive: a two-level tree of Linkwitz-Riley crossovers splits each
    channel into 16 bands, each band is gained, saturated by its own curve,
    tone-filtered and gained again, and the wet sum is crossfaded with the dry sum
    of the bands; a 10 Hz high-pass removes DC from the result. */
class MultibandDrive
{
public:
    static constexpr int numBands = 16;
    static constexpr int curveEntries = 65536;
    static constexpr int lastCurveEntry = 65534;
    static constexpr int numChannels = 2;

    /** Loads and adjusts the curves; designs the filters for 44100 Hz. */
    MultibandDrive();

    void prepare (float sampleRate);
    /** Once per block: the Drive Amount (0 to 1); the settings ramp over blockLength samples. */
    void setAmount (float amount, int blockLength);
    /** Called for every sample and, within a sample, for every channel in order (0, then 1). */
    float process (float sample, int channel) noexcept;

    // For tests and diagnostics.
    /** The adjusted curve of a band, as used. */
    float getCurveValue (int band, int entry) const noexcept;
    /** The band's trim H in dB, as loaded. */
    float getTrimDb (int band) const noexcept;
    /** The current per-band gains in dB (input gain, output gain). */
    float getInputGainDb (int band) const noexcept;
    float getOutputGainDb (int band) const noexcept;
    bool curvesLoaded() const noexcept { return loaded; }

private:
    void loadCurves();
    void design (float sampleRate);
    void updateBandGains() noexcept;
    bool anyRamping() const noexcept;

    /** A Linkwitz-Riley section pair: two identical second-order sections in series. */
    struct LR4
    {
        BiquadDF2 a, b;
        void set (const Biquad4Coefficients& c) noexcept { a.setCoefficients (c); b.setCoefficients (c); }
        void reset() noexcept { a.reset(); b.reset(); }
        Float4 process (Float4 x) noexcept { return b.process (a.process (x)); }
    };

    /** One four-band tree (f1 < f2 < f3), four independent trees in the four lanes. Its
        all-passes LP (f) + HP (f) are each computed as the equivalent single section. */
    struct Tree
    {
        LR4 lp1, hp1, lp2, hp2, lp3, hp3;
        BiquadTDF2 ap2, ap3Band0, ap3Band1;
        void reset() noexcept;
        void process (Float4 x, Float4* bands) noexcept;
    };

    /** The level-1 tree of one channel sample, its parallel filters packed into lanes;
        returns the A-bands { A0, A1, A2, A3 }. */
    struct Level1
    {
        LR4 a, b, c1, c2;
        void reset() noexcept;
        Float4 process (float x) noexcept;
    };

    struct Level1Coefficients { Biquad4Coefficients a, b, c; };

    struct Channel
    {
        Level1 level1;
        BiquadTDF2 phaseMatch[9]; // A-band j: the level-2 all-passes of the other A-bands
        Tree level2;        // lane j splits A-band j
        BiquadTDF2 tone[4]; // group m, lane j: band 4j + m
        float dcS1 = 0.0f, dcS2 = 0.0f;
    };

    std::vector<Float4> curves; // 4 tables of curveEntries frames; table m lane j is band m + 4j
    Float4 trims[4];            // group m, lane j: the trim of band m + 4j, in dB
    bool loaded = false;

    Channel channels[numChannels];
    float dcB0 = 1.0f, dcB1 = 0.0f, dcB2 = 0.0f, dcA1 = 0.0f, dcA2 = 0.0f;

    // Group m, lane j: band 4j + m.
    Float4 weights[4][4]; // [group][macro]
    Float4 boost[4];

    RampedValue tone { 0.5f };
    RampedValue driveMacro[4] { RampedValue (0.0f), RampedValue (0.0f), RampedValue (0.0f), RampedValue (0.0f) };
    RampedValue outputMacro[4] { RampedValue (0.0f), RampedValue (0.0f), RampedValue (0.0f), RampedValue (0.0f) };
    RampedValue inputTrim { 1.0f }, outputTrim { 1.0f };
    RampedValue amount { 1.0f }, wetScale { 1.0f };

    bool gainsNeedUpdate = true;
    bool rampsIdle = false;

    // Per-sample values shared by both channels.
    Float4 inputGain[4], outputGain[4];
    float toneNow = 0.5f, amountWetNow = 1.0f, inputTrimNow = 1.0f, outputTrimNow = 1.0f;
};

} // namespace corvane
