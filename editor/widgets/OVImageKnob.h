#pragma once

#include <atomic>

#include "OVComponent.h"
#include "OVStepable.h"

namespace corvane
{

/** A rotary control: a still background picture and a knob picture turned about the
    centre by startAngle + value x angleRange (radians, clockwise from straight up).
    With two or more steps the value reported and drawn is the nearest position. */
class OVImageKnob : public OVComponent, public OVStepable
{
public:
    OVImageKnob() = default;

    float getValue() const override;

    void setKnobImage (const juce::Image& image) { knobImage = image; repaint(); }
    void setBackgroundImage (const juce::Image& image) { backgroundImage = image; repaint(); }
    const juce::Image& getKnobImage() const noexcept { return knobImage; }
    const juce::Image& getBackgroundImage() const noexcept { return backgroundImage; }

    void setAngles (float newStartAngle, float newAngleRange) { startAngle = newStartAngle; angleRange = newAngleRange; repaint(); }
    float getStartAngle() const noexcept { return startAngle; }
    float getAngleRange() const noexcept { return angleRange; }
    float getAngle() const { return startAngle + getValue() * angleRange; }
    bool isBeingDragged() const noexcept { return isDragging.load (std::memory_order_relaxed); }

    /** Scale of the picture to the component, then rotation by the knob angle about the centre. */
    juce::AffineTransform getKnobTransform (const juce::Image& image) const;

    void paint (juce::Graphics&) override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

protected:
    void parameterValueChanged (int, float) override;

    /** Adds delta to the raw value (clamped) and reports it: for a stepped knob only when
        the position it lands on differs from the one before. */
    void moveBy (float delta);

    void drawBackground (juce::Graphics&);
    void drawRotated (juce::Graphics&, const juce::Image&, juce::AffineTransform extra = {});

    juce::Image knobImage, backgroundImage;
    juce::Point<int> lastMousePos;
    float startAngle = 2.3561945f;
    float angleRange = 4.712389f;
    std::atomic<bool> isDragging { false };
};

/** The product's knob: still plate, turning handle and a shadow that turns with it,
    offset one unit right and down. */
class CorvaneKnob : public OVImageKnob
{
public:
    CorvaneKnob() = default;

    void setShadowImage (const juce::Image& image) { shadowImage = image; repaint(); }
    const juce::Image& getShadowImage() const noexcept { return shadowImage; }

    void paint (juce::Graphics&) override;

private:
    juce::Image shadowImage;
};

} // namespace corvane
