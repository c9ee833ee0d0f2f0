#include "CorvaneSynthesiser.h"

namespace corvane
{

void CorvaneSynthesiser::renderScaled (juce::AudioBuffer<float>& output, const juce::MidiBuffer& midi, int hostStart,
                                       int hostLength, int factor, bool includeLaterEvents)
{
    const int hostEnd = hostStart + hostLength;
    const bool hasChannels = output.getNumChannels() > 0;

    int start = 0;
    int remaining = hostLength * factor;
    bool firstEvent = true;

    const juce::ScopedLock sl (lock);

    auto it = midi.findNextSamplePosition (hostStart);
    for (; remaining > 0; ++it)
    {
        if (it == midi.cend() || (*it).samplePosition >= hostEnd)
        {
            if (hasChannels)
                renderVoices (output, start, remaining);
            remaining = 0;
            break;
        }

        const auto event = *it;
        const int position = (event.samplePosition - hostStart) * factor;
        const int toEvent = position - start;

        // Events too close to the last split are handled without splitting, as the
        // framework does (the first event of a call may come at any position).
        if (toEvent < (firstEvent ? 1 : minimumSubBlock))
        {
            handleMidiEvent (event.getMessage());
            continue;
        }

        firstEvent = false;

        if (hasChannels)
            renderVoices (output, start, toEvent);

        handleMidiEvent (event.getMessage());
        start += toEvent;
        remaining -= toEvent;
    }

    if (includeLaterEvents)
        for (; it != midi.cend(); ++it)
            handleMidiEvent ((*it).getMessage());
}

} // namespace corvane
