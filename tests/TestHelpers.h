#pragma once

#include "engine/CorvaneAudioProcessor.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <memory>
#include <vector>

namespace corvane::test
{

/** A processor prepared as a host would prepare it. */
inline std::unique_ptr<CorvaneAudioProcessor> makeProcessor (double rate = 44100.0, int block = 512, int channels = 2)
{
    auto p = std::make_unique<CorvaneAudioProcessor>();
    p->setPlayConfigDetails (0, channels, rate, block);
    p->prepareToPlay (rate, block);
    return p;
}

/** Sets a parameter from its normalised value, as the host would. */
inline void setNormalised (CorvaneAudioProcessor& p, int row, float v)
{
    p.getParameterAt (row)->setValueNotifyingHost (v);
}

/** Every Vox a pure sine: no phase jitter, so renders are repeatable. */
inline void makeDeterministic (CorvaneAudioProcessor& p)
{
    for (int vox = 0; vox < 4; ++vox)
        setNormalised (p, param::type (vox), 1.0f);
}

struct TimedEvent
{
    int sample;
    juce::MidiMessage message;
};

/** Renders numSamples in host blocks of blockSize, delivering each event in its block. */
inline juce::AudioBuffer<float> render (CorvaneAudioProcessor& p, int numSamples, const std::vector<TimedEvent>& events,
                                        int blockSize = 512, int channels = 2)
{
    juce::AudioBuffer<float> out (channels, numSamples);
    juce::AudioBuffer<float> block (channels, blockSize);
    juce::MidiBuffer midi;

    for (int pos = 0; pos < numSamples; pos += blockSize)
    {
        const int n = std::min (blockSize, numSamples - pos);
        block.setSize (channels, n, false, false, true);
        midi.clear();
        for (const auto& e : events)
            if (e.sample >= pos && e.sample < pos + n)
                midi.addEvent (e.message, e.sample - pos);
        p.processBlock (block, midi);
        for (int ch = 0; ch < channels; ++ch)
            out.copyFrom (ch, pos, block, ch, 0, n);
    }
    return out;
}

inline TimedEvent noteOn (int sample, int note, int velocity = 100)
{
    return { sample, juce::MidiMessage::noteOn (1, note, (juce::uint8) velocity) };
}

inline TimedEvent noteOff (int sample, int note)
{
    return { sample, juce::MidiMessage::noteOff (1, note) };
}

inline int firstNonSilent (const juce::AudioBuffer<float>& b, int channel = 0, float threshold = 0.0f)
{
    for (int i = 0; i < b.getNumSamples(); ++i)
        if (std::abs (b.getSample (channel, i)) > threshold)
            return i;
    return -1;
}

inline bool allFinite (const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < b.getNumChannels(); ++ch)
        for (int i = 0; i < b.getNumSamples(); ++i)
            if (! std::isfinite (b.getSample (ch, i)))
                return false;
    return true;
}

inline float peakOf (const juce::AudioBuffer<float>& b, int start = 0)
{
    float peak = 0.0f;
    for (int ch = 0; ch < b.getNumChannels(); ++ch)
        for (int i = start; i < b.getNumSamples(); ++i)
            peak = std::max (peak, std::abs (b.getSample (ch, i)));
    return peak;
}

} // namespace corvane::test
