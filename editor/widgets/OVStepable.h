#pragma once

namespace corvane
{

/** Mix-in for controls with a fixed number of evenly spaced positions over 0..1. */
class OVStepable
{
public:
    virtual ~OVStepable() = default;

    virtual int getNumSteps() const { return numSteps; }

    /** Also recomputes the step size: 1 / (n - 1) for two or more positions, else 0. */
    virtual void setNumSteps (int n)
    {
        numSteps = n;
        stepSize = n >= 2 ? 1.0f / (float) (n - 1) : 0.0f;
    }

    float getStepSize() const noexcept { return stepSize; }

    /** The nearest position to v (halves away from zero); 0 with fewer than two positions. */
    float quantise (float v) const;

protected:
    int numSteps = 0;
    float stepSize = 0.0f;
};

} // namespace corvane
