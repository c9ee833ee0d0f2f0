#pragma once

#include "OVComponent.h"

namespace corvane
{

/** An invisible push or toggle button. Its value is its toggle state (0 or 1); a click
    released inside it reports that value. */
class OVButton : public OVComponent
{
public:
    using ClickHandler = std::function<void (const OVButton*)>;

    OVButton() = default;

    using OVComponent::setValue;
    void setValue (float v) override;
    float getValue() const override { return toggleState ? 1.0f : 0.0f; }

    virtual bool containsLocalPoint (juce::Point<int> p) const;
    virtual float getDrawOpacity() const { return isDown ? 0.6f : 1.0f; }

    void setToggleMode (bool shouldToggle) noexcept { toggleMode = shouldToggle; }
    bool isToggleMode() const noexcept { return toggleMode; }
    void setToggleState (bool state) noexcept { toggleState = state; }
    bool getToggleState() const noexcept { return toggleState; }
    bool isButtonDown() const noexcept { return isDown; }

    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    ClickHandler onClick;

protected:
    bool isDown = false;
    bool toggleMode = false;
    bool toggleState = false;
};

} // namespace corvane
