#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvane
{

/** The floating value read-out: a small dark framed box with one line of text. The editor
    decides what it shows, where, and how visible it is. */
class OVChangeView : public juce::Component
{
public:
    OVChangeView();

    void paint (juce::Graphics&) override;
    void resized() override {}

    juce::Font font { juce::Font::getDefaultSansSerifFontName(), 12.0f, juce::Font::plain };
    int displayHoldCounter = 0;
    bool displayPressed = false;
    float shownValue = 0.0f;
    juce::String text;
    juce::String unit;
    float displayAlpha = 0.0f;
};

} // namespace corvane
