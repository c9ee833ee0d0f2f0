#pragma once

#include "dsp/DelayLine4.h"
#include "dsp/Float4.h"
#include "dsp/RampedValue.h"

#include <memory>

namespace corvane
{

/** Stereo chorus over interleaved frames (lane 0 left, lane 1 right). Each channel
    feeds a four-tap delay line modulated by a slow and a fast sine; three taps are
    summed into the wet signal and crossfaded with the dry one. */
class ChorusEffect
{
public:
    static constexpr int lfoTableSize = 4096;
    static constexpr int lineLength = 4096;
    static constexpr int numModes = 4;

    ChorusEffect();

    void prepare (float sampleRate);
    /** Selects a row of the mode table (0 to 3); the settings ramp over 256 samples. */
    void setMode (int row);
    /** Transforms one frame in place; called once per sample in order. */
    void process (Float4& frame) noexcept;

    // For tests and diagnostics.
    Float4 getLeftDelays() const noexcept { return left.getDelay(); }
    Float4 getRightDelays() const noexcept { return right.getDelay(); }
    float getMaxModulationDelay() const noexcept { return maxModDelay; }
    Float4 getLfoIncrement() const noexcept { return increment; }
    float getDepth() const noexcept { return depth.getCurrent(); }
    float getSpread() const noexcept { return spread.getCurrent(); }
    float getMix() const noexcept { return mix.getCurrent(); }
    float getGain() const noexcept { return gain.getCurrent(); }

private:
    std::unique_ptr<Float4[]> table;
    Float4 tableSize { (float) lfoTableSize };
    Float4 phase { 0.0f };
    Float4 increment;
    float maxModDelay = 0.0f;

    DelayLine4 left, right;
    RampedValue depth { 0.2f }, spread { 0.5f }, mix { 0.5f }, gain { 1.0f };
};

} // namespace corvane
