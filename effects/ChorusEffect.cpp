#include "ChorusEffect.h"

#include "dsp/Float4Lanes.h"
#include "engine/OVWaveTableOscillator.h"

namespace corvane
{

namespace
{
    struct ChorusRow { float depth, spread, mix, gain; };

    constexpr ChorusRow modeTable[ChorusEffect::numModes] = {
        { 0.06f, 0.0f, 0.02f, 1.0f },
        { 0.20f, 0.20f, 0.40f, 0.72f },
        { 0.24f, 0.60f, 0.45f, 0.70f },
        { 0.28f, 1.00f, 0.50f, 0.79f },
    };

    // Lanes 0 and 2 run the slow sine, lanes 1 and 3 the fast one.
    const Float4 lfoRates { 0.6f, 6.0f, 0.6f, 6.0f };

    Float4 incrementsFor (float sampleRate) noexcept
    {
        return Float4 ((float) ChorusEffect::lfoTableSize) * lfoRates / sampleRate;
    }
}

ChorusEffect::ChorusEffect()
    : table (makeUnipolarSineTable (lfoTableSize)),
      increment (incrementsFor (44100.0f)),
      maxModDelay (44100.0f * 0.004195011f)
{
    left.allocate (lineLength);
    right.allocate (lineLength);
}

void ChorusEffect::prepare (float sampleRate)
{
    increment = incrementsFor (sampleRate);
    maxModDelay = sampleRate * 0.004195011f;
    left.clear();
    right.clear();
    depth.snap();
    spread.snap();
    mix.snap();
}

void ChorusEffect::setMode (int row)
{
    row = row < 0 ? 0 : (row >= numModes ? numModes - 1 : row);
    const auto& r = modeTable[row];
    depth.setTarget (r.depth);
    spread.setTarget (r.spread);
    mix.setTarget (r.mix);
    gain.setTarget (r.gain);
}

void ChorusEffect::process (Float4& frame) noexcept
{
    const float third = 1.0f / 3.0f;
    const Float4 offsetsA = Float4 (0.0f, 0.0f, third, third) * tableSize;
    const Float4 offsetsB = Float4 (2.0f * third) * tableSize;

    // 1. Two reads of the table, a third and two thirds of a cycle apart.
    Float4 posA = phase + offsetsA;
    posA = select (posA >= tableSize, posA - tableSize, posA);
    Float4 posB = phase + offsetsB;
    posB = select (posB >= tableSize, posB - tableSize, posB);
    const Float4 a = OVWaveTableOscillator::lookup (table.get(), tableSize, posA);
    const Float4 b = OVWaveTableOscillator::lookup (table.get(), tableSize, posB);

    // 2. Advance.
    phase = phase + increment;
    phase = select (phase >= tableSize, phase - tableSize, phase);

    // 3. m = 0.5 * { A0 + A1, A2 + A3, B0 + B1, B0 + B0 }
    const Float4 m = 0.5f * (lanes::shuffle2<0, 2, 0, 0> (a, b) + lanes::shuffle2<1, 3, 1, 0> (a, b));

    // 4.-6. Left delays, right delays spread from them.
    const Float4 d = 1.0f + m * depth.next() * maxModDelay;
    const Float4 dRight = d + d * spread.next();
    left.setDelay (d);
    right.setDelay (dRight);

    // 7.-8. Three taps per side.
    const Float4 tapWeights (1.0f, 1.0f, 1.0f, 0.0f);
    const Float4 tapsL = left.process (lanes::broadcast<0> (frame)) * tapWeights;
    const Float4 tapsR = right.process (lanes::broadcast<1> (frame)) * tapWeights;
    const Float4 wetL = lanes::sumAll (tapsL);
    const Float4 wetR = lanes::sumAll (tapsR);
    const Float4 wet = lanes::shuffle2<0, 0, 0, 0> (wetL, wetR) * Float4 (1.0f, 0.0f, 1.0f, 0.0f);
    // wet = { wetL, 0, wetR, 0 } -> reorder to { wetL, wetR, 0, 0 }
    const Float4 wetFrame = lanes::shuffle<0, 2, 1, 3> (wet);

    // 9.-10.
    const float mx = mix.next();
    frame = (1.0f - mx) * frame + mx * wetFrame;
    frame = frame * gain.next();
}

} // namespace corvane
