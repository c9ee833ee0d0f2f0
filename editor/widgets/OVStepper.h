#pragma once

#include "OVButton.h"

namespace corvane
{

/** A whole number between minimum and maximum with a minus and a plus button. Its value
    is the number's position in the range, 0..1. */
class OVStepper : public OVComponent
{
public:
    /** The minus or plus button: draws a 6-unit white sign. */
    class Button : public OVButton
    {
    public:
        explicit Button (bool minus) : isMinus (minus) {}
        void paint (juce::Graphics&) override;

        const bool isMinus;

    private:
        const juce::PathStrokeType stroke { 1.5f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded };
    };

    OVStepper();

    using OVComponent::setValue;
    void setValue (float v) override;

    void setRange (int newMinimum, int newMaximum);
    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }
    int getCurrent() const noexcept { return current; }

    void setFont (const juce::Font& f) { font = f; repaint(); }
    const juce::Font& getFont() const noexcept { return font; }

    Button& getMinusButton() noexcept { return minusButton; }
    Button& getPlusButton() noexcept { return plusButton; }

    void resized() override;
    void paint (juce::Graphics&) override;

private:
    void step (int delta);

    Button minusButton { true }, plusButton { false };
    int minimum = -10, maximum = 10, current = 0;
    juce::Font font;
};

} // namespace corvane
