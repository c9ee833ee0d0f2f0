#include "OVSlider.h"

#include <cmath>

namespace corvane
{

namespace
{
    void drawHalfSize (juce::Graphics& g, const juce::Image& image, float x, float y)
    {
        if (image.isValid())
            g.drawImageTransformed (image, juce::AffineTransform::scale (0.5f).translated (x, y));
    }

    void drawStretched (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area)
    {
        if (image.isValid())
            g.drawImage (image, area, juce::RectanglePlacement::stretchToFit);
    }
}

//==============================================================================
void OVSlider::parameterValueChanged (int, float)
{
    if (! isDragging.load (std::memory_order_relaxed))
        requestParameterRead();
}

void OVSlider::mouseEnter (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    if (owner != nullptr)
        owner->controlMouseEntered (this, getID());
    repaint();
}

void OVSlider::mouseExit (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;
    if (owner != nullptr)
        owner->controlMouseExited (this, getID());
    repaint();
}

void OVSlider::mouseDown (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;

    isDragging = true;
    lastMousePos = e.getPosition();
    beginGesture();
    if (owner != nullptr)
    {
        owner->controlPressed (this, getID());
        owner->controlGestureStarted (this, getID(), {});
    }
    pressed (e);
    repaint();
}

void OVSlider::mouseDrag (const juce::MouseEvent& e)
{
    if (! acceptsMouse())
        return;

    const auto pos = e.getPosition();
    const auto delta = pos - lastMousePos;
    lastMousePos = pos;
    dragged (delta.x, delta.y, e.mods.isAltDown());
    notifyValueChange();
    repaint();
}

void OVSlider::mouseUp (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;

    isDragging = false;
    endGesture();
    if (owner != nullptr)
    {
        owner->controlReleased (this, getID());
        owner->controlGestureEnded (this, getID());
    }
}

void OVSlider::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (! acceptsMouse())
        return;

    setValueClamped (value + wheel.deltaY * (e.mods.isAltDown() ? 0.02f : 0.2f));
    notifyValueChange();
    repaint();
}

void OVSlider::mouseDoubleClick (const juce::MouseEvent&)
{
    if (! acceptsMouse())
        return;

    resetToDefault();
    repaint();
}

void OVSlider::resetToDefault()
{
    setValue (defaultValue);
    commitValueAsGesture();
}

void OVSlider::jumpToPosition (const juce::MouseEvent& e)
{
    const auto p = e.getPosition().toFloat();
    if (isVertical)
        setValueClamped (getHeight() > 0 ? 1.0f - p.y / (float) getHeight() : 0.0f);
    else
        setValueClamped (getWidth() > 0 ? p.x / (float) getWidth() : 0.0f);
    notifyValueChange();
}

void OVSlider::dragAlongAxis (int dx, int dy, bool fine)
{
    const float scale = fine ? 0.05f : 0.65f;
    if (isVertical)
    {
        if (getHeight() > 0)
            setValueClamped (value + scale * (float) -dy / (float) getHeight());
    }
    else if (getWidth() > 0)
    {
        setValueClamped (value + scale * (float) dx / (float) getWidth());
    }
}

//==============================================================================
void FineSlider::pressed (const juce::MouseEvent& e)
{
    jumpToPosition (e);
}

void FineSlider::dragged (int dx, int dy, bool fine)
{
    dragAlongAxis (dx, dy, fine);
}

void FineSlider::resetToDefault()
{
    holdValueDisplay = true;
    OVSlider::resetToDefault();
}

void FineSlider::paint (juce::Graphics& g)
{
    drawStretched (g, trackImage, getLocalBounds().toFloat());
    if (! thumbImage.isValid())
        return;

    const float w = (float) getWidth(), h = (float) getHeight();
    drawHalfSize (g, thumbImage,
                  7.0f + (w - 14.0f) * value - (float) thumbImage.getWidth() / 4.0f,
                  (h - (float) thumbImage.getHeight() / 2.0f) / 2.0f);
}

//==============================================================================
void OctaveSlider::pressed (const juce::MouseEvent& e)
{
    jumpToPosition (e);
}

void OctaveSlider::dragged (int dx, int dy, bool fine)
{
    dragAlongAxis (dx, dy, fine);
}

bool OctaveSlider::hitTest (int x, int y)
{
    return x >= 0 && x < 12 && y >= 0 && y < 63;
}

float OctaveSlider::getSnappedValue() const
{
    if (numPositions < 2)
        return 0.0f;
    const float last = (float) (numPositions - 1);
    return std::trunc (std::round (value * last)) / last;
}

juce::Point<float> OctaveSlider::getThumbPosition() const
{
    const float h = (float) getHeight();
    const float q = getSnappedValue();
    return { (12.0f - (float) thumbImage.getWidth() / 2.0f) / 2.0f,
             h - (7.0f + (h - 14.0f) * q) - (float) thumbImage.getHeight() / 4.0f };
}

void OctaveSlider::paint (juce::Graphics& g)
{
    drawStretched (g, trackImage, getLocalBounds().toFloat());
    if (thumbImage.isValid())
    {
        const auto p = getThumbPosition();
        drawHalfSize (g, thumbImage, p.x, p.y);
    }
}

//==============================================================================
void CorvaneSlider::dragged (int, int dy, bool fine)
{
    // The thumb travels over half the track picture's pixel height (its drawn height).
    const int travel = trackImage.getHeight() / 2;
    if (travel <= 0)
        return;
    setValueClamped (value - ((float) dy * (fine ? 0.1f : 1.0f)) / (float) travel);
}

bool CorvaneSlider::hitTest (int x, int y)
{
    if (! trackImage.isValid())
        return false;
    return x >= 0 && (float) x < (float) trackImage.getWidth() / 2.0f
        && y >= 0 && (float) y < (float) trackImage.getHeight() / 2.0f;
}

void CorvaneSlider::paint (juce::Graphics& g)
{
    drawHalfSize (g, trackImage, 1.5f, 0.0f);
    drawHalfSize (g, thumbImage, 1.5f, ((float) getHeight() - 50.0f) * (1.0f - value) - 2.0f);
}

//==============================================================================
void DriveSlider::dragged (int dx, int, bool fine)
{
    setValueClamped (value + (float) dx * (fine ? 0.05f : 0.65f) / 53.0f);
}

void DriveSlider::paint (juce::Graphics& g)
{
    drawStretched (g, trackImage, { 1.0f, 2.0f, 72.0f, 18.0f });
    if (thumbImage.isValid())
        drawHalfSize (g, thumbImage,
                      10.5f + 53.0f * value - (float) thumbImage.getWidth() / 4.0f,
                      ((float) getHeight() - (float) thumbImage.getHeight() / 2.0f) / 2.0f + 0.5f);
}

} // namespace corvane
