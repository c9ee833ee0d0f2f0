#pragma once

#include "Float4.h"

namespace corvane
{

/** A float that moves linearly to a new target over a fixed number of steps.
    Setting the target it already has starts no new ramp. */
class RampedValue
{
public:
    explicit RampedValue (float initial = 0.0f, int lengthInSteps = 256) noexcept
        : current (initial), target (initial), target4 (initial), rampLength (lengthInSteps > 0 ? lengthInSteps : 1)
    {
    }

    void setTarget (float v) noexcept
    {
        // Written as a negated equality so that NaN always counts as a change.
        if (! (v == target))
        {
            target = v;
            target4 = Float4 (v);
            countdown = rampLength;
            step = (v - current) / (float) rampLength;
        }
    }

    float next() noexcept
    {
        if (countdown >= 1)
        {
            --countdown;
            current += step;
            return current;
        }
        return target;
    }

    void snap() noexcept
    {
        current = target;
        countdown = 0;
    }

    /** Sets the value at once, with no ramp. */
    void reset (float v) noexcept
    {
        target = v;
        target4 = Float4 (v);
        snap();
    }

    void setRampLength (int n) noexcept { rampLength = n > 0 ? n : 1; }

    bool isRamping() const noexcept { return countdown > 0; }
    float getTarget() const noexcept { return target; }
    const Float4& getTarget4() const noexcept { return target4; }
    float getCurrent() const noexcept { return countdown > 0 ? current : target; }
    int getRampLength() const noexcept { return rampLength; }

private:
    float current = 0.0f;
    float target = 0.0f;
    Float4 target4;
    float step = 0.0f;
    int countdown = 0;
    int rampLength = 256;
};

} // namespace corvane
