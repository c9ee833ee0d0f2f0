#include "WaveSelector.h"

namespace corvane
{

WaveSelector::WaveSelector()
{
    for (int i = 0; i < numButtons; ++i)
    {
        auto& b = buttons[(size_t) i];
        b.setID (i);
        b.setToggleMode (false);
        b.onClick = [this, i] (const OVButton*) { select (i); };
        addAndMakeVisible (b);
    }
    buttons[0].setToggleState (true);
}

void WaveSelector::setButtonImages (int index, const juce::Image& normal, const juce::Image& active)
{
    buttons[(size_t) index].setImages (normal, active);
}

int WaveSelector::getSelectedIndex() const
{
    return juce::roundToInt (getValue() * 3.0f);
}

void WaveSelector::setValue (float v)
{
    OVComponent::setValue (v, false);
    const int index = getSelectedIndex();
    for (int i = 0; i < numButtons; ++i)
    {
        buttons[(size_t) i].setToggleState (i == index);
        buttons[(size_t) i].repaint();
    }
}

void WaveSelector::select (int index)
{
    if (buttons[(size_t) index].getToggleState())
        return;

    for (int i = 0; i < numButtons; ++i)
    {
        buttons[(size_t) i].setToggleState (i == index);
        buttons[(size_t) i].repaint();
    }

    setValueClamped (juce::jlimit (0.0f, 1.0f, (float) buttons[(size_t) index].getID() / 3.0f));
    commitValueAsGesture();

    if (onSelect)
        onSelect (index);
}

void WaveSelector::resized()
{
    const int a = (int) ((float) getWidth() * 0.5f);
    const int b = (int) ((float) getHeight() * 0.5f);
    buttons[0].setBounds (0, 0, a, b);
    buttons[1].setBounds (a + 1, 0, a, b);
    buttons[2].setBounds (0, b + 1, a, b);
    buttons[3].setBounds (a + 1, b + 1, a, b);
}

} // namespace corvane
