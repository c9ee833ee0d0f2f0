#pragma once

namespace corvane
{

/** Algorithmic reverb. */
class ReverbEngine
{
public:
    void prepare (float sampleRate);
    /** Per-block targets from Reverb Amount: decay in seconds and the wet/dry mix (0 to 1). */
    void setDecay (float seconds);
    void setMix (float mix);
    /** Applies pending setting changes, then processes the block in place:
        the mono path for one channel, the stereo path for two. */
    void process (float* const* channels, int numChannels, int numSamples) noexcept;
};

} // namespace corvane
