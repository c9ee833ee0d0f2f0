#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvane
{

class OVUICallback;

/** A component carrying one value (by convention normalised to 0..1), a control id and
    an optional owner to consult and notify. */
class EComponent : public juce::Component
{
public:
    EComponent() = default;
    ~EComponent() override = default;

    virtual void setUICallback (OVUICallback* cb) { owner = cb; }

    virtual void setValue (float v) { setValue (v, true); }

    /** Stores v as given (no clamping). */
    virtual void setValue (float v, bool repaintNow)
    {
        value = v;
        if (repaintNow)
            repaint();
    }

    virtual bool shouldHoldValueDisplay() const { return false; }
    virtual void clearHoldValueDisplay() {}

    virtual float getValue() const { return value; }

    virtual void setID (int newId) { id = newId; }
    virtual int getID() const { return id; }

    /** Asks the owner for this control's value; adopts it if it differs and, when notify
        is set, reports the new value back to the owner. */
    virtual void refreshFromUICallback (bool notify);

    OVUICallback* getUICallback() const noexcept { return owner; }

protected:
    OVUICallback* owner = nullptr;
    float value = 0.0f;
    int id = -1;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EComponent)
};

} // namespace corvane
