#include "PhaserEffect.h"

#include "dsp/FastMath.h"
#include "dsp/Float4Lanes.h"

namespace corvane
{

namespace
{
    struct SweepRow { float bounds[4]; float feedback; };

    constexpr SweepRow sweepTable[2] = {
        { { 100.0f, 800.0f, 550.0f, 4200.0f }, 0.7f },
        { { 70.0f, 1300.0f, 200.0f, 7000.0f }, 0.75f },
    };

    // Distance of the A and B sections below and above the centre, per stage:
    // { stage 0 A, stage 0 B, stage 1 A, stage 1 B }.
    const Float4 sectionSpread { -25.0f, 25.0f, -8.0f, 8.0f };
}

PhaserEffect::PhaserEffect()
    : lfo (makeUnipolarSineTable (lfoTableSize), lfoTableSize)
{
}

void PhaserEffect::prepare (float sr)
{
    sampleRate = sr;
    for (auto& s : sections)
        s = Section();
    feedbackState = Float4 (0.0f);
    lfo.setPhase (Float4 (0.0f));
    publishedPhase.store (0.0f, std::memory_order_relaxed);
    mix.snap();
}

void PhaserEffect::setRate (float rateHz)
{
    lfo.setIncrement (Float4 ((float) lfoTableSize * rateHz / sampleRate));
}

void PhaserEffect::setMode (int mode, float normalisedRate)
{
    if (mode <= 0)
    {
        mix.setTarget (0.0f);
        return;
    }

    mode = mode > 2 ? 2 : mode;
    mix.setTarget (0.2f + 0.3f * (1.0f - normalisedRate));

    if (mode - 1 != modeIndex)
    {
        modeIndex = mode - 1;
        for (int i = 0; i < 4; ++i)
            sweep[i].setTarget (sweepTable[modeIndex].bounds[i]);
    }
}

void PhaserEffect::process (Float4& frame) noexcept
{
    // 1.-2. The LFO (all lanes equal).
    const Float4 l = lfo.getNextSample (Float4 (0.0f));
    publishedPhase.store (lanes::first (lfo.getPhase()), std::memory_order_relaxed);

    // The four section coefficients at once: lanes { stage 0 A, stage 0 B, stage 1 A, stage 1 B }.
    const float low0 = sweep[0].next(), high0 = sweep[1].next();
    const float low1 = sweep[2].next(), high1 = sweep[3].next();
    const Float4 low (low0, low0, low1, low1);
    const Float4 high (high0, high0, high1, high1);
    const Float4 centre = low + (high - low) * lanes::broadcast<0> (l);
    const Float4 t = fastmath::tan (Float4 (fastmath::pi) * (centre + sectionSpread) / sampleRate);
    const Float4 g = (t - 1.0f) / (t + 1.0f);
    lastCoefficients = g;

    const Float4 g4[4] = { lanes::broadcast<0> (g), lanes::broadcast<1> (g), lanes::broadcast<2> (g), lanes::broadcast<3> (g) };

    // 3.-4. Feedback, then two stages of two sections: y = g x + x1 - g y1.
    Float4 x = feedbackState * Float4 (sweepTable[modeIndex].feedback) + frame;
    for (int i = 0; i < 4; ++i)
    {
        auto& s = sections[i];
        const Float4 y = g4[i] * x + s.x1 - g4[i] * s.y1;
        s.x1 = x;
        s.y1 = y;
        x = y;
    }

    // 5.
    feedbackState = x;
    const float mx = mix.next();
    frame = mx * x + (1.0f - mx) * frame;
}

} // namespace corvane
