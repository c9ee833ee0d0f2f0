#include "OVStepper.h"

#include <cmath>

namespace corvane
{

void OVStepper::Button::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    juce::Path sign;
    sign.startNewSubPath ((w - 6.0f) / 2.0f, h / 2.0f);
    sign.lineTo ((w - 6.0f) / 2.0f + 6.0f, h / 2.0f);
    if (! isMinus)
    {
        sign.startNewSubPath (w / 2.0f, (h - 6.0f) / 2.0f);
        sign.lineTo (w / 2.0f, (h - 6.0f) / 2.0f + 6.0f);
    }

    const float opacity = getDrawOpacity();
    const auto alpha = (juce::uint8) (opacity <= 0.0f ? 0 : opacity >= 1.0f ? 255 : juce::roundToInt (opacity * 255.0f));
    g.setColour (juce::Colours::white.withAlpha (alpha));
    g.strokePath (sign, stroke);
}

OVStepper::OVStepper()
{
    minusButton.setID (0);
    plusButton.setID (1);
    minusButton.onClick = [this] (const OVButton*) { step (-1); };
    plusButton.onClick = [this] (const OVButton*) { step (1); };
    addAndMakeVisible (minusButton);
    addAndMakeVisible (plusButton);
}

void OVStepper::setValue (float v)
{
    OVComponent::setValue (v, true);
    current = minimum + (int) std::round ((float) (maximum - minimum) * v);
}

void OVStepper::setRange (int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    current = juce::jlimit (minimum, juce::jmax (minimum, maximum), current);
    repaint();
}

void OVStepper::step (int delta)
{
    current = juce::jlimit (minimum, juce::jmax (minimum, maximum), current + delta);
    setValueClamped (maximum == minimum ? 0.0f : (float) (current - minimum) / (float) (maximum - minimum));
    commitValueAsGesture();
    repaint();
}

void OVStepper::resized()
{
    minusButton.setBounds (0, 0, 19, getHeight());
    plusButton.setBounds (getWidth() - 19, 0, 19, getHeight());
}

void OVStepper::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::white);
    g.setFont (font);
    g.drawText (juce::String (current), getLocalBounds(), juce::Justification::centred, true);
}

} // namespace corvane
