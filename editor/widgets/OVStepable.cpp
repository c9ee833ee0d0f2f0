#include "OVStepable.h"

#include <cmath>

namespace corvane
{

float OVStepable::quantise (float v) const
{
    if (numSteps < 2)
        return 0.0f;

    return std::round (v / stepSize) * stepSize;
}

} // namespace corvane
