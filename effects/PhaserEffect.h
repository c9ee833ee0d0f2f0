#pragma once

#include "dsp/Float4.h"

namespace corvane
{

/** Four-lane phaser over interleaved frames. */
class PhaserEffect
{
public:
    void prepare (float sampleRate);
    /** LFO speed in Hz. */
    void setRate (float rateHz);
    /** Mode 0 (off), 1 or 2, with the Phaser Rate parameter's normalised value; once per block after setRate. */
    void setMode (int mode, float normalisedRate);
    void process (Float4& frame) noexcept;

    /** Read by the editor without a lock. */
    float getLfoPhase() const noexcept { return 0.0f; }
    float getLfoTableLength() const noexcept { return 4096.0f; }
};

} // namespace corvane
