#include "CorvaneAudioProcessorEditor.h"

#include "engine/CorvaneAudioProcessor.h"

namespace corvane
{

CorvaneAudioProcessorEditor::CorvaneAudioProcessorEditor (CorvaneAudioProcessor& p)
    : juce::AudioProcessorEditor (p), processor (p)
{
    setSize (windowWidth, windowHeight);
}

CorvaneAudioProcessorEditor::~CorvaneAudioProcessorEditor() = default;

void CorvaneAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (panelColour));
}

} // namespace corvane
