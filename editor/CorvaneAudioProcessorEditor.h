#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace corvane
{

class CorvaneAudioProcessor;

/** The plug-in window: a 1024 x 335 panel. */
class CorvaneAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit CorvaneAudioProcessorEditor (CorvaneAudioProcessor&);
    ~CorvaneAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;

    static constexpr int windowWidth = 1024;
    static constexpr int windowHeight = 335;
    static constexpr juce::uint32 panelColour = 0xFFB7C1C7;

private:
    CorvaneAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CorvaneAudioProcessorEditor)
};

} // namespace corvane
