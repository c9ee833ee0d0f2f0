#include "OVComponent.h"

#include <algorithm>
#include <limits>

namespace corvane
{

OVComponent::~OVComponent()
{
    detach();
    cancelPendingUpdate();
}

void OVComponent::detach()
{
    if (parameter != nullptr)
        parameter->removeListener (this);
    if (stateBroadcaster != nullptr)
        stateBroadcaster->removeChangeListener (this);
    parameter = nullptr;
    stateBroadcaster = nullptr;
}

void OVComponent::attachToParameter (juce::AudioProcessorParameter* p, juce::ChangeBroadcaster* b)
{
    // Re-binding must not leave the control listening to its old parameter.
    detach();

    parameter = p;
    if (parameter != nullptr)
        parameter->addListener (this);

    stateBroadcaster = b;
    if (stateBroadcaster != nullptr)
        stateBroadcaster->addChangeListener (this);

    if (parameter != nullptr)
    {
        defaultValue = juce::jlimit (0.0f, 1.0f, parameter->getDefaultValue());
        setValue (juce::jlimit (0.0f, 1.0f, parameter->getValue()));
        setID (parameter->getParameterIndex());
    }
}

void OVComponent::addUICallback (OVUICallback* cb)
{
    if (cb == nullptr || std::find (uiCallbacks.begin(), uiCallbacks.end(), cb) != uiCallbacks.end())
        return;
    uiCallbacks.push_back (cb);
}

void OVComponent::beginGesture()
{
    if (parameter != nullptr)
        parameter->beginChangeGesture();

    const int controlId = getID();
    const auto anchor = getLocalCentre();
    for (auto* cb : uiCallbacks)
    {
        cb->controlPressed (this, controlId);
        cb->controlGestureStarted (this, controlId, anchor);
    }

    if (onGestureStart)
        onGestureStart (*this);
}

void OVComponent::notifyValueChange()
{
    const float v = getValue();

    if (parameter != nullptr)
        parameter->setValueNotifyingHost (v);

    const int controlId = getID();
    for (auto* cb : uiCallbacks)
        cb->controlValueChanged (this, controlId, v);

    if (onValueChange)
        onValueChange (*this);
}

void OVComponent::endGesture()
{
    if (parameter != nullptr)
        parameter->endChangeGesture();

    const int controlId = getID();
    for (auto* cb : uiCallbacks)
    {
        cb->controlReleased (this, controlId);
        cb->controlGestureEnded (this, controlId);
    }

    if (onGestureEnd)
        onGestureEnd (*this);
}

void OVComponent::commitValueAsGesture()
{
    beginGesture();
    notifyValueChange();
    endGesture();
}

void OVComponent::parameterValueChanged (int, float)
{
    requestParameterRead();
}

void OVComponent::parameterGestureChanged (int, bool) {}

void OVComponent::handleAsyncUpdate()
{
    if (parameter == nullptr)
        return;

    const float v = juce::jlimit (0.0f, 1.0f, parameter->getValue());
    if (std::abs (v - value) > std::numeric_limits<float>::epsilon())
        setValue (v);
}

void OVComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (parameter != nullptr)
        setValueClamped (parameter->getValue());
}

juce::Point<float> OVComponent::getLocalCentre() const
{
    return { (float) getWidth() * 0.5f, (float) getHeight() * 0.5f };
}

void OVComponent::setValueClamped (float v)
{
    setValue (juce::jlimit (0.0f, 1.0f, v));
}

void OVComponent::setValueClamped (float v, bool repaintNow)
{
    setValue (juce::jlimit (0.0f, 1.0f, v), repaintNow);
}

} // namespace corvane
