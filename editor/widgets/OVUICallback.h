#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvane
{

class OVComponent;

/** Listener through which controls report user activity to their owner and to any
    number of observers. Every notification has an empty default. */
class OVUICallback
{
public:
    virtual ~OVUICallback() = default;

    virtual void controlValueChanged (OVComponent*, int /*id*/, float /*value*/) {}
    virtual void controlMouseEntered (OVComponent*, int /*id*/) {}
    virtual void controlMouseExited (OVComponent*, int /*id*/) {}
    virtual void controlGestureStarted (OVComponent*, int /*id*/, juce::Point<float> /*anchor*/) {}
    virtual void controlGestureEnded (OVComponent*, int /*id*/) {}
    virtual juce::String getValueText (int /*id*/) { return "strVal"; }
    virtual juce::String getParameterLabel (int id) { return "PAR" + juce::String (id); }
    virtual float getValueFor (int /*id*/) { return 0.0f; }
    virtual void controlPressed (OVComponent*, int /*id*/) {}
    virtual void controlReleased (OVComponent*, int /*id*/) {}
};

} // namespace corvane
