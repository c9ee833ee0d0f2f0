#include "DelayLine4.h"

#include "FastMath.h"

#include <cmath>
#include <cstdio>

namespace corvane
{

void DelayLine4::allocate (int newCapacity)
{
    newCapacity = newCapacity > 1 ? newCapacity : 1;
    if (newCapacity != capacity || buffer.empty())
    {
        // The spare frames past the circle keep gathers of a slightly stale index in bounds.
        std::vector<Float4> fresh ((size_t) newCapacity + 20);
        buffer.swap (fresh);
        capacity = newCapacity;
        capacity4 = Float4 ((float) newCapacity);
    }
    clear();
}

void DelayLine4::clear() noexcept
{
    for (auto& f : buffer)
        f = Float4 (0.0f);
    writeIndex = 0;
    readIndex = Float4 (0.0f);
    held = Float4 (0.0f);
    if (capacity > 0)
        setDelay (delay);
}

void DelayLine4::reportOverflow (Float4 d) const noexcept
{
    std::printf ("Warning! Delay line overflow: (%.8f, %.8f, %.8f, %.8f) max: %d\n",
                 (double) d[0], (double) d[1], (double) d[2], (double) d[3], capacity);
}

DelayLine4::Tap DelayLine4::makeTap (Float4 d) const noexcept
{
    Tap tap;
    if (capacity <= 0)
        return tap;

    d = clampDelay (d);
    const Float4 whole = trunc (d);
    lanes::toInts (whole, tap.offset);
    tap.frac = d - whole;
    tap.oneMinusFrac = 1.0f - tap.frac;
    return tap;
}

//==============================================================================
void DampedComb4::setDecay (float decaySeconds, float sampleRate) noexcept
{
    // 10^(-3 t / decay) = exp (-3 ln 10 t / decay)
    const Float4 t = delay / sampleRate;
    const float d = decaySeconds > 0.001f ? decaySeconds : 0.001f;
    feedback = fastmath::exp (t * (-3.0f * 2.302585092994046f / d));
}

void DampedComb4::setDamping (float frequencyHz, float sampleRate) noexcept
{
    const float w = 6.28318530717958647692f * frequencyHz / sampleRate;
    const float k = 2.0f - std::cos (w);
    const float p = k - std::sqrt (k * k - 1.0f);
    b0 = Float4 (1.0f - p);
    a1 = Float4 (-p);
}

//==============================================================================
namespace
{
    const Float4* sharedModulationTable()
    {
        // One table serves every modulated line; it lives as long as the program.
        static const Float4* table = makeUnipolarSineTable (ModulatedLine4::lfoTableSize);
        return table;
    }
}

ModulatedLine4::ModulatedLine4()
    : lfo (const_cast<Float4*> (sharedModulationTable()), lfoTableSize, true)
{
}

void ModulatedLine4::setModulationRate (Float4 rateHz, float sampleRate) noexcept
{
    lfo.setIncrement (rateHz * ((float) lfoTableSize / sampleRate));
}

Float4 ModulatedLine4::process (Float4 x) noexcept
{
    if (! modulationOn)
        return DampedComb4::process (x);

    const Float4 y = read();
    const Float4 l = lfo.getNextSample (Float4 (0.0f));

    const Float4 offset = l * depth * depthMultiplier;
    const Float4 k = trunc (offset);
    const Float4 zero (0.0f);
    Float4 d = readIndex - k;
    d = select (d < zero, d + capacity4, d);

    const Float4 top = capacity4 - 1.0f;
    const Float4 below = d < zero;
    const Float4 above = d > top;
    if (anyLane (below | above))
    {
        const int b = laneBits (below), a = laneBits (above);
        for (int lane = 0; lane < 4; ++lane)
        {
            if (b & (1 << lane)) std::printf ("Offset index is less than zero!\n");
            if (a & (1 << lane)) std::printf ("Offset index is out of range!\n");
        }
        // Wrap back into the circle so the reads stay inside the buffer.
        d = select (below, d + capacity4, d);
        d = select (above, d - capacity4, d);
        d = clamp (d, zero, top);
    }

    Float4 h = d - 1.0f;
    h = select (h < zero, h + capacity4, h);

    const Float4 f = offset - k;
    const Float4 out = lanes::gather (buffer.data(), h) * f + (1.0f - f) * lanes::gather (buffer.data(), d);

    s = b0 * y - a1 * s;
    write (s * feedback + x);
    return out;
}

} // namespace corvane
