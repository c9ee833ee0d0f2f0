#pragma once

#include "dsp/Float4.h"

namespace corvane
{

/** Stereo chorus over interleaved frames (lane 0 left, lane 1 right). */
class ChorusEffect
{
public:
    void prepare (float sampleRate);
    /** Selects a row of the mode table (0 to 3); the settings ramp over 256 samples. */
    void setMode (int row);
    /** Transforms one frame in place; called once per sample in order. */
    void process (Float4& frame) noexcept;
};

} // namespace corvane
