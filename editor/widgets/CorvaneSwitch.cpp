#include "CorvaneSwitch.h"

#include <cmath>

namespace corvane
{

void CorvaneSwitch::setNumSteps (int n)
{
    OVSwitch::setNumSteps (n);
    positionImages.assign ((size_t) juce::jmax (0, n), juce::Image());
    repaint();
}

void CorvaneSwitch::setPositionImage (int position, const juce::Image& image)
{
    if (position >= 0 && position < (int) positionImages.size())
    {
        positionImages[(size_t) position] = image;
        repaint();
    }
}

juce::Image CorvaneSwitch::getPositionImage (int position) const
{
    return position >= 0 && position < (int) positionImages.size() ? positionImages[(size_t) position] : juce::Image();
}

int CorvaneSwitch::getCurrentPosition() const
{
    if (numSteps < 2)
        return 0;
    return juce::jmin (numSteps - 1, (int) std::round (getValue() * (float) (numSteps - 1)));
}

float CorvaneSwitch::cellSide() const
{
    const float n = (float) numSteps;
    return juce::jmin (((float) getHeight() - (n + 1.0f) * cellSpacing) / n,
                       (float) getWidth() - 2.0f * cellSpacing);
}

juce::Rectangle<float> CorvaneSwitch::getCellBounds (int position) const
{
    if (numSteps < 1)
        return {};
    const float n = (float) numSteps;
    const float s = cellSide();
    const float x0 = ((float) getWidth() - s) * 0.5f;
    const float gap = ((float) getHeight() - s * n) / (n + 1.0f);
    return { x0, gap + (float) position * (s + gap), s, s };
}

int CorvaneSwitch::getCellAt (juce::Point<float> p) const
{
    for (int i = 0; i < numSteps; ++i)
    {
        const auto cell = getCellBounds (i);
        if (p.x >= cell.getX() && p.x < cell.getRight() && p.y >= cell.getY() && p.y < cell.getBottom())
            return i;
    }
    return -1;
}

void CorvaneSwitch::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xFF808080));
    if (numSteps < 1)
        return;
    const int p = getCurrentPosition();
    const auto image = getPositionImage (p);
    if (image.isValid())
        g.drawImage (image, getCellBounds (p), juce::RectanglePlacement::stretchToFit);
}

void CorvaneSwitch::mouseEnter (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    if (owner != nullptr)
        owner->controlMouseEntered (this, getID());
    repaint();
}

void CorvaneSwitch::mouseExit (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    if (owner != nullptr)
        owner->controlMouseExited (this, getID());
    repaint();
}

void CorvaneSwitch::mouseDown (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;

    lastMousePos = e.getPosition();
    beginGesture();

    const int cell = getCellAt (lastMousePos.toFloat());
    if (cell >= 0 && numSteps >= 2 && cell != getCurrentPosition())
    {
        setValueClamped ((float) cell / (float) (numSteps - 1));
        notifyValueChange();
    }
    repaint();
}

void CorvaneSwitch::moveBy (float delta)
{
    const float before = getValue();
    setValueClamped (value + delta);
    if (std::abs (getValue() - before) >= 0.0001f)
        notifyValueChange();
}

void CorvaneSwitch::mouseDrag (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;
    const auto pos = e.getPosition();
    const int dy = pos.y - lastMousePos.y;
    lastMousePos = pos;
    if (getHeight() > 0)
        moveBy ((float) dy / (float) getHeight());
}

void CorvaneSwitch::mouseUp (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    endGesture();
}

void CorvaneSwitch::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (! acceptsMouse())
        return;
    moveBy (wheel.deltaY);
}

void CorvaneSwitch::mouseDoubleClick (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    setValue (defaultValue);
    commitValueAsGesture();
    repaint();
}

} // namespace corvane
