#include "EComponent.h"

#include "OVComponent.h"
#include "OVUICallback.h"

namespace corvane
{

void EComponent::refreshFromUICallback (bool notify)
{
    if (owner == nullptr)
        return;

    const float answer = owner->getValueFor (id);
    if (answer == value)
        return;

    setValue (answer);

    if (notify)
        owner->controlValueChanged (dynamic_cast<OVComponent*> (this), id, value);
}

} // namespace corvane
