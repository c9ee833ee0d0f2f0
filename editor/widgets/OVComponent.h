#pragma once

#include <functional>
#include <vector>

#include <juce_audio_processors/juce_audio_processors.h>

#include "EComponent.h"
#include "OVUICallback.h"

namespace corvane
{

/** Base of every control: an EComponent that can be bound to one host parameter, follows
    it, and reports the user's gestures to the host and to its listeners.

    A user interaction is reported in three phases (see beginGesture, notifyValueChange
    and endGesture). Changes from the host arrive through parameterValueChanged on any
    thread and only post an asynchronous update; the value is read on the message thread. */
class OVComponent : public EComponent,
                    public juce::ChangeListener,
                    private juce::AudioProcessorParameter::Listener,
                    private juce::AsyncUpdater
{
public:
    using Hook = std::function<void (OVComponent&)>;

    OVComponent() = default;
    ~OVComponent() override;

    /** Binds the control to p (which may be null) and to the broadcaster b that announces a
        wholesale state change (which may be null as well). */
    void attachToParameter (juce::AudioProcessorParameter* p, juce::ChangeBroadcaster* b);

    /** Appends cb unless it is null or already present. */
    void addUICallback (OVUICallback* cb);

    /** Start, value edit and end back to back, for changes that are not drags. */
    void commitValueAsGesture();

    virtual juce::Point<float> getLocalCentre() const;

    virtual void setValueClamped (float v);
    virtual void setValueClamped (float v, bool repaintNow);

    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    juce::AudioProcessorParameter* getParameter() const noexcept { return parameter; }
    juce::ChangeBroadcaster* getStateBroadcaster() const noexcept { return stateBroadcaster; }
    const std::vector<OVUICallback*>& getUICallbacks() const noexcept { return uiCallbacks; }

    float getDefaultValue() const noexcept { return defaultValue; }
    void setDefaultValue (float v) noexcept { defaultValue = v; }

    Hook onGestureStart, onValueChange, onGestureEnd;

protected:
    // The three phases of a user gesture.
    void beginGesture();
    void notifyValueChange();
    void endGesture();

    /** True when this control and all of its parents are enabled. */
    bool acceptsMouse() const { return isEnabled(); }

    // juce::AudioProcessorParameter::Listener; may be called on any thread.
    void parameterValueChanged (int parameterIndex, float newValue) override;
    void parameterGestureChanged (int parameterIndex, bool gestureIsStarting) override;

    // juce::AsyncUpdater, on the message thread.
    void handleAsyncUpdate() override;

    /** Posts (or coalesces) an update that re-reads the parameter on the message thread. */
    void requestParameterRead() { triggerAsyncUpdate(); }

    std::vector<OVUICallback*> uiCallbacks;
    float defaultValue = 0.0f;
    juce::AudioProcessorParameter* parameter = nullptr;
    juce::ChangeBroadcaster* stateBroadcaster = nullptr;

private:
    void detach();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OVComponent)
};

} // namespace corvane
