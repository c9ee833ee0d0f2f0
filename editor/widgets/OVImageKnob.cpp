#include "OVImageKnob.h"

#include <cmath>

namespace corvane
{

float OVImageKnob::getValue() const
{
    return getNumSteps() >= 2 ? quantise (value) : value;
}

void OVImageKnob::parameterValueChanged (int, float)
{
    if (! isDragging.load (std::memory_order_relaxed))
        requestParameterRead();
}

juce::AffineTransform OVImageKnob::getKnobTransform (const juce::Image& image) const
{
    const float w = (float) getWidth(), h = (float) getHeight();
    return juce::AffineTransform::scale (w / (float) image.getWidth(), h / (float) image.getHeight())
        .rotated (getAngle(), w * 0.5f, h * 0.5f);
}

void OVImageKnob::drawBackground (juce::Graphics& g)
{
    if (backgroundImage.isValid())
        g.drawImage (backgroundImage, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

void OVImageKnob::drawRotated (juce::Graphics& g, const juce::Image& image, juce::AffineTransform extra)
{
    if (image.isValid())
        g.drawImageTransformed (image, getKnobTransform (image).followedBy (extra));
}

void OVImageKnob::paint (juce::Graphics& g)
{
    drawBackground (g);
    drawRotated (g, knobImage);
}

void CorvaneKnob::paint (juce::Graphics& g)
{
    drawBackground (g);
    drawRotated (g, shadowImage, juce::AffineTransform::translation (1.0f, 1.0f));
    drawRotated (g, knobImage);
}

void OVImageKnob::mouseEnter (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    for (auto* cb : uiCallbacks)
        cb->controlMouseEntered (this, getID());
}

void OVImageKnob::mouseExit (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    for (auto* cb : uiCallbacks)
        cb->controlMouseExited (this, getID());
}

void OVImageKnob::mouseDown (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;
    isDragging = true;
    lastMousePos = e.getPosition();
    beginGesture();
    repaint();
}

void OVImageKnob::moveBy (float delta)
{
    if (getNumSteps() >= 2)
    {
        const float before = getValue();
        setValueClamped (value + delta);
        if (std::abs (getValue() - before) >= 0.0001f)
            notifyValueChange();
    }
    else
    {
        setValueClamped (value + delta);
        notifyValueChange();
    }
}

void OVImageKnob::mouseDrag (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;
    const auto pos = e.getPosition();
    const int dy = pos.y - lastMousePos.y;
    lastMousePos = pos;
    if (getHeight() <= 0)
        return;
    const float scale = e.mods.isAltDown() ? 0.35f * 0.1f : 0.35f;
    moveBy (-(float) dy * scale / (float) getHeight());
}

void OVImageKnob::mouseUp (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    isDragging = false;
    endGesture();
    repaint();
}

void OVImageKnob::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (! acceptsMouse())
        return;
    if (getNumSteps() >= 2)
        moveBy (wheel.deltaY);
    else
        moveBy (wheel.deltaY * (e.mods.isAltDown() ? 0.02f : 0.2f));
}

void OVImageKnob::mouseDoubleClick (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    value = defaultValue;
    notifyValueChange();
    repaint();
}

} // namespace corvane
