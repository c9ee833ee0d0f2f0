#pragma once

#include "dsp/Float4.h"
#include "dsp/RampedValue.h"
#include "engine/OVWaveTableOscillator.h"

#include <atomic>

namespace corvane
{

/** Four-lane phaser over interleaved frames: two stages of two first-order all-pass
    sections around a swept centre frequency, with feedback, mixed with the dry frame.
    All lanes are processed identically by one LFO. */
class PhaserEffect
{
public:
    static constexpr int lfoTableSize = 4096;

    PhaserEffect();

    void prepare (float sampleRate);
    /** LFO speed in Hz. */
    void setRate (float rateHz);
    /** Mode 0 (off), 1 or 2, with the Phaser Rate parameter's normalised value; once per block after setRate. */
    void setMode (int mode, float normalisedRate);
    void process (Float4& frame) noexcept;

    /** Read by the editor without a lock: the LFO phase in table entries (lane 0). */
    float getLfoPhase() const noexcept { return publishedPhase.load (std::memory_order_relaxed); }
    float getLfoTableLength() const noexcept { return (float) lfoTableSize; }

    // For tests and diagnostics.
    /** The all-pass coefficients g of the last sample: { stage 0 A, stage 0 B, stage 1 A, stage 1 B }. */
    Float4 getLastCoefficients() const noexcept { return lastCoefficients; }
    float getMix() const noexcept { return mix.getCurrent(); }
    int getModeIndex() const noexcept { return modeIndex; }
    float getSweepBound (int i) const noexcept { return sweep[i & 3].getCurrent(); }

private:
    OVWaveTableOscillator lfo;
    float sampleRate = 44100.0f;

    struct Section
    {
        Float4 x1 { 0.0f }, y1 { 0.0f };
    };
    Section sections[4]; // stage 0 A, stage 0 B, stage 1 A, stage 1 B
    Float4 feedbackState { 0.0f };
    Float4 lastCoefficients { 0.0f };

    RampedValue sweep[4] { RampedValue (100.0f), RampedValue (800.0f), RampedValue (550.0f), RampedValue (4200.0f) };
    RampedValue mix { 0.5f };
    int modeIndex = 0;

    std::atomic<float> publishedPhase { 0.0f };
};

} // namespace corvane
