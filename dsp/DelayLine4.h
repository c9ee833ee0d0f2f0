#pragma once

#include "Float4.h"
#include "Float4Lanes.h"
#include "engine/OVWaveTableOscillator.h"

#include <vector>

namespace corvane
{

/** Four-lane fractional delay line: a circle of Float4 frames in which every lane
    has its own delay, read with linear interpolation. A line used with a moving
    delay calls setDelay before every process; a multi-tap line reads its taps and
    then writes once per sample. */
class DelayLine4
{
public:
    /** A fixed read position prepared once, for multi-tap lines whose delays do not move. */
    struct Tap
    {
        alignas (16) int offset[4] = { 0, 0, 0, 0 };
        Float4 frac { 0.0f };
        Float4 oneMinusFrac { 1.0f };
    };

    /** Keeps the buffer when the capacity is unchanged, else reallocates; then clears. */
    void allocate (int capacity);

    /** Zeroes the contents, resets the positions and re-applies the current delay. */
    void clear() noexcept;

    /** Delay per lane in samples; clamped to [0, capacity - 1]. A request above the
        capacity in lane 0 prints a warning. */
    void setDelay (Float4 d) noexcept
    {
        if (capacity <= 0)
            return;

        d = clampDelay (d);
        const Float4 whole = trunc (d);

        const Float4 r = Float4 ((float) writeIndex) - whole;
        readIndex = select (r < Float4 (0.0f), r + capacity4, r);

        Float4 h = readIndex - 1.0f;
        h = select (h < Float4 (0.0f), h + capacity4, h);
        held = lanes::gather (buffer.data(), h);

        frac = d - whole;
        oneMinusFrac = 1.0f - frac;
        delay = d;
    }

    /** The sample `delay` frames back, linearly interpolated. */
    Float4 read() noexcept
    {
        const Float4 cur = lanes::gather (buffer.data(), readIndex);
        const Float4 out = frac * held + oneMinusFrac * cur;
        held = cur;
        return out;
    }

    void write (Float4 x) noexcept
    {
        buffer[(size_t) writeIndex] = x;
        readIndex = readIndex + 1.0f;
        readIndex = select (readIndex >= capacity4, readIndex - capacity4, readIndex);
        if (++writeIndex >= capacity)
            writeIndex = 0;
    }

    Float4 process (Float4 x) noexcept
    {
        const Float4 y = read();
        write (x);
        return y;
    }

    /** Clamps a delay as setDelay does (with the same warning) and prepares a tap for it. */
    Tap makeTap (Float4 delaySamples) const noexcept;

    /** What setDelay (tap's delay) followed by read() would return, without changing the line. */
    Float4 readTap (const Tap& tap) const noexcept
    {
        alignas (16) int cur[4], prev[4];
        for (int k = 0; k < 4; ++k)
        {
            int i = writeIndex - tap.offset[k];
            i += (i < 0) ? capacity : 0;
            cur[k] = i;
            prev[k] = (i == 0) ? capacity - 1 : i - 1;
        }
        return tap.frac * lanes::gather (buffer.data(), prev) + tap.oneMinusFrac * lanes::gather (buffer.data(), cur);
    }

    int getCapacity() const noexcept { return capacity; }
    Float4 getDelay() const noexcept { return delay; }
    int getWriteIndex() const noexcept { return writeIndex; }

protected:
    Float4 clampDelay (Float4 d) const noexcept
    {
        if ((laneBits (d > capacity4) & 1) != 0)
            reportOverflow (d);
        d = min (d, capacity4 - 1.0f);
        return select (d > Float4 (0.0f), d, Float4 (0.0f));
    }

    void reportOverflow (Float4 requested) const noexcept;

    std::vector<Float4> buffer;
    int capacity = 0;
    Float4 capacity4 { 0.0f };
    int writeIndex = 0;
    Float4 readIndex { 0.0f };
    Float4 held { 0.0f };
    Float4 delay { 0.0f };
    Float4 frac { 0.0f };
    Float4 oneMinusFrac { 1.0f };
};

/** A delay line whose delayed output passes a one-pole low-pass and is fed back,
    together with the input, through the gain G. */
class DampedComb4 : public DelayLine4
{
public:
    Float4 process (Float4 x) noexcept
    {
        const Float4 y = read();
        s = b0 * y - a1 * s;
        write ((s + x) * feedback);
        return s;
    }

    /** G per lane from the current delays: 60 dB of decay after decaySeconds. */
    void setDecay (float decaySeconds, float sampleRate) noexcept;
    /** One-pole damping low-pass at the given frequency. */
    void setDamping (float frequencyHz, float sampleRate) noexcept;
    void setFeedback (Float4 g) noexcept { feedback = g; }
    void setDampingCoefficients (Float4 newB0, Float4 newA1) noexcept { b0 = newB0; a1 = newA1; }
    void resetState() noexcept { s = Float4 (0.0f); }

    Float4 getFeedback() const noexcept { return feedback; }
    Float4 getB0() const noexcept { return b0; }
    Float4 getA1() const noexcept { return a1; }

protected:
    Float4 feedback { 0.0f };
    Float4 b0 { 1.0f };
    Float4 a1 { 0.0f };
    Float4 s { 0.0f };
};

/** A damped comb whose output is read at a position moved by a sine LFO; the feedback
    path reads the fixed delay. */
class ModulatedLine4 : public DampedComb4
{
public:
    ModulatedLine4();

    Float4 process (Float4 x) noexcept;

    /** LFO increment per lane: 65536 * rateHz / sampleRate. */
    void setModulationRate (Float4 rateHz, float sampleRate) noexcept;
    void setModulationDepth (Float4 depthSamples) noexcept { depth = depthSamples; }
    void setDepthMultiplier (Float4 m) noexcept { depthMultiplier = m; }
    void setModulationOn (bool on) noexcept { modulationOn = on; }
    void resetLfo() noexcept { lfo.setPhase (Float4 (0.0f)); }

    Float4 getModulationDepth() const noexcept { return depth; }
    const OVWaveTableOscillator& getLfo() const noexcept { return lfo; }

    static constexpr int lfoTableSize = 65536;

private:
    OVWaveTableOscillator lfo;
    Float4 depth { 0.0f };
    Float4 depthMultiplier { 1.0f };
    bool modulationOn = true;
};

/** Delay-line all-pass stages, one per lane; the owner chains them by feeding each
    lane with a neighbour's previous output. */
class AllPassChain4 : public DelayLine4
{
public:
    Float4 process (Float4 laneInputs) noexcept
    {
        Float4 d = read();
        d = select (delay > Float4 (0.0f), d, laneInputs);
        const Float4 w = gain * d + laneInputs;
        const Float4 out = d - gain * w;
        write (w);
        previous = out;
        return out;
    }

    void setGains (Float4 g) noexcept { gain = g; }
    void resetState() noexcept { previous = Float4 (0.0f); }
    Float4 getPrevious() const noexcept { return previous; }

private:
    Float4 gain { 0.0f };
    Float4 previous { 0.0f };
};

} // namespace corvane
