#include "OVWaveTableOscillator.h"

#include "dsp/Float4Lanes.h"

#include <cmath>

namespace corvane
{

OVWaveTableOscillator::OVWaveTableOscillator (Float4* t, int tableSize, bool notOwned) noexcept
    : tableNotOwned (notOwned), table (t), size ((float) tableSize)
{
}

OVWaveTableOscillator::~OVWaveTableOscillator()
{
    if (! tableNotOwned)
        delete[] table;
}

Float4 OVWaveTableOscillator::setFrequency (Float4 frequency, Float4 sampleRate) noexcept
{
    increment = size * frequency / sampleRate;
    angularRate = 6.28318530717958647692f * clamp (frequency, Float4 (0.0f), sampleRate * 0.5f) / sampleRate;
    return angularRate;
}

Float4 OVWaveTableOscillator::lookup (const Float4* t, Float4 sz, Float4 pos) noexcept
{
    Float4 i = trunc (pos);
    i = select (i > Float4 (0.0f), i, Float4 (0.0f));
    const Float4 f = pos - i;
    Float4 j = i + 1.0f;
    j = select (j >= sz, j - sz, j);
    return lanes::gather (t, j) * f + lanes::gather (t, i) * (1.0f - f);
}

Float4 OVWaveTableOscillator::getNextSample (Float4 phaseOffset) noexcept
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

Float4* makeUnipolarSineTable (int entries)
{
    auto* t = new Float4[(size_t) entries];
    const float step = 1.0f / (float) entries;
    for (int k = 0; k < entries; ++k)
        t[k] = Float4 (0.5f + 0.5f * std::sin ((float) k * step * 6.28318530717958647692f));
    return t;
}

} // namespace corvane
