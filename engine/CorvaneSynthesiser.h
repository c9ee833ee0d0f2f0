#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace corvane
{

/** The framework synthesiser, with one addition: it renders into a buffer that
    runs at a multiple of the host rate, scaling the host's MIDI positions as it
    goes, without copying the MIDI buffer. */
class CorvaneSynthesiser : public juce::Synthesiser
{
public:
    /** Renders host samples [hostStart, hostStart + hostLength) of the MIDI buffer
        into output samples [0, hostLength * factor). Events at or after the end of
        the range are left for a later call unless includeLaterEvents is set, in
        which case they are handled after rendering, as the framework does. */
    void renderScaled (juce::AudioBuffer<float>& output, const juce::MidiBuffer& midi, int hostStart, int hostLength,
                       int factor, bool includeLaterEvents);

    void setMinimumSubBlockSize (int samples) noexcept { minimumSubBlock = samples > 0 ? samples : 1; }

private:
    int minimumSubBlock = 32;
};

} // namespace corvane
