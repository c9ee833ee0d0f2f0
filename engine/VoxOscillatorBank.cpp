#include "VoxOscillatorBank.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cmath>

namespace corvane
{

namespace
{
    struct ShapeConstants
    {
        float blepOn, wA, wB, lowPassQ, outputGain;
        bool fixedLowPass; // 18000 Hz regardless of pitch
    };

    constexpr ShapeConstants shapes[4] = {
        { 1.0f, 0.03125f, 0.96875f, 0.70710677f, 1.0f, false }, // Transistor
        { 1.0f, 0.03125f, 0.96875f, 2.0f, 1.0f, false },        // Tube
        { 0.0f, 1.0f, 0.0f, 0.70710677f, 2.0f, true },          // Plasma
        { 0.0f, 0.03125f, 0.96875f, 0.70710677f, 2.5f, false }, // Sine
    };

    constexpr float jitterAmount[4] = { 0.016f, 0.011f, 0.04f, 0.0f };
    constexpr float jitterReference[4] = { 1000000.0f, 1000000.0f, 40000.0f, 1000000.0f };

    constexpr float lowPassLimit = 18000.0f;
    constexpr float highPassFloor = 20.0f;
    constexpr float sqrt2 = 1.41421356237f;

    int clampWave (int w) noexcept { return std::clamp (w, 0, 3); }
}

VoxOscillatorBank::VoxOscillatorBank()
{
    seed = (uint64_t) juce::Random::getSystemRandom().nextInt64() & 0xFFFFFFFFFFFFULL;
    omega = Float4 (twoPi * 1000.0f / 44100.0f);
    dt = omega * invTwoPi;
    invDt = 1.0f / dt;
    oneMinusDt = 1.0f - dt;
}

void VoxOscillatorBank::setSampleRate (float rate) noexcept
{
    if (! (rate > 0.0f))
        return;

    sampleRate = Float4 (rate);
    nyquist = Float4 (rate * 0.5f);
    omega = Float4 (twoPi) * clamp (frequency, Float4 (0.0f), nyquist) / sampleRate;
}

void VoxOscillatorBank::reset() noexcept
{
    phase = Float4 (0.0f);
    highPass.s1 = highPass.s2 = Float4 (0.0f);
    lowPass.s1 = lowPass.s2 = Float4 (0.0f);
}

namespace
{
    struct Jump
    {
        uint64_t a[4], c[4];
    };

    // seed_k = a_k * seed + c_k (mod 2^48): k steps of seed = seed * 0x5DEECE66D + 11.
    constexpr Jump makeJump()
    {
        Jump j {};
        uint64_t a = 1, c = 0;
        for (int k = 0; k < 4; ++k)
        {
            a = (a * 0x5DEECE66DULL) & 0xFFFFFFFFFFFFULL;
            c = (c * 0x5DEECE66DULL + 11) & 0xFFFFFFFFFFFFULL;
            j.a[k] = a;
            j.c[k] = c;
        }
        return j;
    }

    constexpr Jump jump = makeJump();
}

const uint64_t VoxOscillatorBank::jumpA[4] = { jump.a[0], jump.a[1], jump.a[2], jump.a[3] };
const uint64_t VoxOscillatorBank::jumpC[4] = { jump.c[0], jump.c[1], jump.c[2], jump.c[3] };

void VoxOscillatorBank::updateBlock (int note, const int octave[4], const int semitone[4], const float fineTune[4],
                                     const int wave_[4], const float detune[4], const float levelTarget[4]) noexcept
{
    const float rate = sampleRate[0];
    const float ny = nyquist[0];

    alignas (16) float freq[4], om[4], wv[4], bo[4], a[4], b[4], q[4], g[4], js[4];
    alignas (16) float hp[5][4], lp[5][4];

    for (int n = 0; n < 4; ++n)
    {
        const int w = clampWave (wave_[n]);
        const auto& shape = shapes[w];

        const float fineFactor = std::pow (2.0f, fineTune[n] / 12.0f);
        const double semis = (double) (note + semitone[n] + 12 * octave[n] - 69);
        const auto pitch = (float) (440.0 * std::pow (2.0, semis / 12.0));
        const float f = fineFactor * pitch * (1.0f + detune[n] * levelTarget[n]);

        freq[n] = f;
        om[n] = twoPi * std::clamp (f, 0.0f, ny) / rate;
        wv[n] = (float) w;
        bo[n] = shape.blepOn;
        a[n] = shape.wA;
        b[n] = shape.wB;
        q[n] = shape.lowPassQ;
        g[n] = shape.outputGain;
        js[n] = (1.0f - f / jitterReference[w]) * jitterAmount[w];

        // Butterworth high-pass at half the pitch (20 Hz at the bottom). The cutoff is
        // kept below the Nyquist frequency: above it the bilinear design turns unstable,
        // which the very top of the pitch range would otherwise reach.
        float hpCut = f * 0.5f;
        if (hpCut <= highPassFloor)
            hpCut = highPassFloor;
        hpCut = std::min (hpCut, maxHighPassCutoffRatio * rate);
        const float k = std::tan (pi * hpCut / rate);
        const float hn = 1.0f / (1.0f + sqrt2 * k + k * k);
        hp[0][n] = hn;
        hp[1][n] = -2.0f * hn;
        hp[2][n] = hn;
        hp[3][n] = 2.0f * (k * k - 1.0f) * hn;
        hp[4][n] = (1.0f - sqrt2 * k + k * k) * hn;

        const float lpCut = shape.fixedLowPass ? lowPassLimit : std::min (4.0f * f, lowPassLimit);
        const float wq = 1.0f / std::tan (pi * lpCut / rate);
        const float ln = 1.0f / (1.0f + wq / shape.lowPassQ + wq * wq);
        lp[0][n] = ln;
        lp[1][n] = 2.0f * ln;
        lp[2][n] = ln;
        lp[3][n] = 2.0f * (1.0f - wq * wq) * ln;
        lp[4][n] = (1.0f - wq / shape.lowPassQ + wq * wq) * ln;
    }

    frequency = Float4::load (freq);
    omega = Float4::load (om);
    wave = Float4::load (wv);
    blepOn = Float4::load (bo);
    wA = Float4::load (a);
    wB = Float4::load (b);
    lowPassQ = Float4::load (q);
    outputGain = Float4::load (g);
    jitterScale = Float4::load (js);

    isPlasma = wave == Float4 ((float) VoxWave::Plasma);
    isSine = wave == Float4 ((float) VoxWave::Sine);

    dt = omega * invTwoPi;
    invDt = 1.0f / max (dt, Float4 (1.0e-12f));
    oneMinusDt = 1.0f - dt;

    highPass.b0 = Float4::load (hp[0]);
    highPass.b1 = Float4::load (hp[1]);
    highPass.b2 = Float4::load (hp[2]);
    highPass.a1 = Float4::load (hp[3]);
    highPass.a2 = Float4::load (hp[4]);
    lowPass.b0 = Float4::load (lp[0]);
    lowPass.b1 = Float4::load (lp[1]);
    lowPass.b2 = Float4::load (lp[2]);
    lowPass.a1 = Float4::load (lp[3]);
    lowPass.a2 = Float4::load (lp[4]);
}

} // namespace corvane
