#include "OVButton.h"

namespace corvane
{

void OVButton::setValue (float v)
{
    OVComponent::setValue (v, true);
    toggleState = v >= 0.5f;
}

bool OVButton::containsLocalPoint (juce::Point<int> p) const
{
    return p.x >= 0 && p.x < getWidth() && p.y >= 0 && p.y < getHeight();
}

void OVButton::mouseDown (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;

    isDown = true;
    beginGesture();
    repaint();
}

void OVButton::mouseUp (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;

    isDown = false;
    if (toggleMode)
        toggleState = ! toggleState;

    if (containsLocalPoint (e.getPosition()))
    {
        if (onClick)
            onClick (this);
        notifyValueChange();
    }

    endGesture();
    repaint();
}

} // namespace corvane
