#pragma once

#include <atomic>

#include "OVComponent.h"

namespace corvane
{

/** Base of the faders: a track picture, a thumb picture, and the press, drag, release and
    wheel handling they share. While the user drags, changes coming back from the host are
    ignored so the echo of the user's own edit never fights the mouse. */
class OVSlider : public OVComponent
{
public:
    ~OVSlider() override = default;

    void setTrackImage (const juce::Image& image) { trackImage = image; repaint(); }
    void setThumbImage (const juce::Image& image) { thumbImage = image; repaint(); }
    const juce::Image& getTrackImage() const noexcept { return trackImage; }
    const juce::Image& getThumbImage() const noexcept { return thumbImage; }

    void setVertical (bool shouldBeVertical) noexcept { isVertical = shouldBeVertical; }
    bool getVertical() const noexcept { return isVertical; }
    bool isBeingDragged() const noexcept { return isDragging.load (std::memory_order_relaxed); }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

protected:
    OVSlider() = default;

    /** What a press does after the gesture has started (a jump, or nothing). */
    virtual void pressed (const juce::MouseEvent&) {}
    /** Applies a drag of (dx, dy) units since the last seen position; Alt is the fine modifier. */
    virtual void dragged (int dx, int dy, bool fine) = 0;
    /** The double-click reset. */
    virtual void resetToDefault();

    /** Jumps to the pressed position along the slider's axis. */
    void jumpToPosition (const juce::MouseEvent&);
    /** Moves by a drag along the axis: 0.65 of the length per length, 0.05 with the fine modifier. */
    void dragAlongAxis (int dx, int dy, bool fine);

    void parameterValueChanged (int, float) override;

    juce::Image trackImage, thumbImage;
    // Read from whichever thread changes the parameter, hence atomic.
    std::atomic<bool> isDragging { false };
    juce::Point<int> lastMousePos;
    bool isVertical = false;
};

/** Fine-tune fader: a press jumps the thumb to the pointer; a double-click reset also
    holds the value read-out until the editor clears the flag. */
class FineSlider : public OVSlider
{
public:
    FineSlider() = default;

    bool shouldHoldValueDisplay() const override { return holdValueDisplay; }
    void clearHoldValueDisplay() override { holdValueDisplay = false; }

    void paint (juce::Graphics&) override;

protected:
    void pressed (const juce::MouseEvent&) override;
    void dragged (int dx, int dy, bool fine) override;
    void resetToDefault() override;

private:
    bool holdValueDisplay = false;
};

/** Vertical octave fader with a fixed number of positions; only a 12 x 63 strip responds. */
class OctaveSlider : public OVSlider
{
public:
    OctaveSlider() { isVertical = true; }

    void setNumPositions (int n) { numPositions = n; repaint(); }
    int getNumPositions() const noexcept { return numPositions; }

    /** The value snapped to the nearest of the positions, as drawn. */
    float getSnappedValue() const;
    /** Top-left of the thumb picture, drawn at half size. */
    juce::Point<float> getThumbPosition() const;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics&) override;

protected:
    void pressed (const juce::MouseEvent&) override;
    void dragged (int dx, int dy, bool fine) override;

private:
    int numPositions = 4;
};

/** The large vertical level fader; only the displayed track responds to the mouse. */
class CorvaneSlider : public OVSlider
{
public:
    CorvaneSlider() { isVertical = true; }

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics&) override;

protected:
    void dragged (int dx, int dy, bool fine) override;
};

/** The small horizontal drive fader. */
class DriveSlider : public OVSlider
{
public:
    DriveSlider() = default;

    void paint (juce::Graphics&) override;

protected:
    void dragged (int dx, int dy, bool fine) override;
};

} // namespace corvane
