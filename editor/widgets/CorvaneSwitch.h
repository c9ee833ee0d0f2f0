#pragma once

#include <vector>

#include "OVComponent.h"
#include "OVStepable.h"

namespace corvane
{

/** A control with a fixed number of positions. */
class OVSwitch : public OVComponent, public OVStepable
{
protected:
    OVSwitch() = default;
};

/** A vertical column of square cells, one per position; only the current position's
    picture is drawn, in its cell. */
class CorvaneSwitch : public OVSwitch
{
public:
    CorvaneSwitch() = default;

    float getValue() const override { return quantise (value); }

    /** Also discards every position picture; set them again afterwards. */
    void setNumSteps (int n) override;

    void setPositionImage (int position, const juce::Image& image);
    juce::Image getPositionImage (int position) const;

    void setCellSpacing (float spacing) { cellSpacing = spacing; repaint(); }
    float getCellSpacing() const noexcept { return cellSpacing; }

    /** The current position: min(n - 1, round(value x (n - 1))), or 0 below two positions. */
    int getCurrentPosition() const;
    /** Square of position i (geometry shared by painting and the press test). */
    juce::Rectangle<float> getCellBounds (int position) const;
    /** The cell under p, or -1 when p lies in no cell. */
    int getCellAt (juce::Point<float> p) const;

    void paint (juce::Graphics&) override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

private:
    float cellSide() const;
    void moveBy (float delta);

    float cellSpacing = 0.0f;
    juce::Point<int> lastMousePos;
    std::vector<juce::Image> positionImages;
};

} // namespace corvane
