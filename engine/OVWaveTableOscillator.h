#pragma once

#include "dsp/Float4.h"
#include "dsp/Float4Lanes.h"

namespace corvane
{

/** Four-lane table oscillator with linear interpolation. Entry k of the table holds
    the value at position k for lanes 0 to 3, so each lane may read its own column.
    Used as the low-frequency oscillator of the phaser and of the reverb's modulated
    lines, reading a unipolar sine. */
class OVWaveTableOscillator
{
public:
    /** Takes the table (tableSize entries); frees it on destruction unless
        tableNotOwned is set. */
    OVWaveTableOscillator (Float4* table, int tableSize, bool tableNotOwned = false) noexcept;
    virtual ~OVWaveTableOscillator();

    OVWaveTableOscillator (const OVWaveTableOscillator&) = delete;
    OVWaveTableOscillator& operator= (const OVWaveTableOscillator&) = delete;

    /** increment = size * frequency / sampleRate; returns the angular rate
        2 pi * clamp (frequency, 0, sampleRate / 2) / sampleRate. */
    virtual Float4 setFrequency (Float4 frequency, Float4 sampleRate) noexcept;

    /** Reads at phase + phaseOffset * size (phaseOffset in cycles), then advances the phase. */
    virtual Float4 getNextSample (Float4 phaseOffset) noexcept
    {
        Float4 pos = phase + phaseOffset * size;
        pos = select (pos >= size, pos - size, pos);

        Float4 i = trunc (pos);
        i = select (i > Float4 (0.0f), i, Float4 (0.0f));
        fraction = pos - i;
        Float4 j = i + 1.0f;
        j = select (j >= size, j - size, j);
        const Float4 out = lanes::gather (table, j) * fraction + lanes::gather (table, i) * (1.0f - fraction);

        phase = phase + increment;
        phase = select (phase >= size, phase - size, phase);
        return out;
    }

    /** Reads a position in [0, size) with linear interpolation, lane by lane; no state changes. */
    static Float4 lookup (const Float4* t, Float4 sz, Float4 pos) noexcept
    {
        Float4 i = trunc (pos);
        i = select (i > Float4 (0.0f), i, Float4 (0.0f));
        const Float4 f = pos - i;
        Float4 j = i + 1.0f;
        j = select (j >= sz, j - sz, j);
        return lanes::gather (t, j) * f + lanes::gather (t, i) * (1.0f - f);
    }

    void setPhase (Float4 p) noexcept { phase = p; }
    Float4 getPhase() const noexcept { return phase; }
    void setIncrement (Float4 inc) noexcept { increment = inc; }
    Float4 getIncrement() const noexcept { return increment; }
    Float4 getSize() const noexcept { return size; }
    Float4 getFraction() const noexcept { return fraction; }
    Float4 getAngularRate() const noexcept { return angularRate; }
    const Float4* getTable() const noexcept { return table; }

private:
    bool tableNotOwned = false;
    Float4* table = nullptr;
    Float4 phase { 0.0f };
    Float4 increment { 0.0f };
    Float4 size { 0.0f };
    Float4 fraction { 0.0f };
    Float4 angularRate { 0.0f };
};

/** A table of the given length with 0.5 + 0.5 sin (2 pi k / entries) in all four lanes
    of entry k (entry 0 is exactly 0.5). Allocated with new[]; the caller owns it. */
Float4* makeUnipolarSineTable (int entries);

} // namespace corvane
