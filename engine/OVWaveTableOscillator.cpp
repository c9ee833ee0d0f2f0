#include "OVWaveTableOscillator.h"

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

Float4* makeUnipolarSineTable (int entries)
{
    auto* t = new Float4[(size_t) entries];
    const float step = 1.0f / (float) entries;
    for (int k = 0; k < entries; ++k)
        t[k] = Float4 (0.5f + 0.5f * std::sin ((float) k * step * 6.28318530717958647692f));
    return t;
}

} // namespace corvane
