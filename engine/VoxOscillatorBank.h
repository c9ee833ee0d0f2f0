#pragma once

#include "dsp/Float4.h"

#include <cstdint>

namespace corvane
{

/** The wave shape chosen by a Vox Type parameter. */
enum class VoxWave : int
{
    Transistor = 0,
    Tube = 1,
    Plasma = 2,
    Sine = 3
};

/** Four Vox oscillators computed together as the four lanes of one vector.
    Lane n belongs to Vox n + 1. Shapes are generated analytically: a
    polynomial-BLEP square (Transistor, Tube), a phase-warped sine (Plasma) and
    a plain sine, each with its own filtering, phase jitter and gain. */
class VoxOscillatorBank
{
public:
    VoxOscillatorBank();

    /** Ignored for rates <= 0. */
    void setSampleRate (float rate) noexcept;

    /** Phases and filter states to zero; the noise generator runs on. */
    void reset() noexcept;

    /** Once per rendered block: pitch, shape constants and filter coefficients. */
    void updateBlock (int note, const int octave[4], const int semitone[4], const float fineTune[4],
                      const int wave[4], const float detune[4], const float levelTarget[4]) noexcept;

    /** One output sample per lane, already multiplied by each wave's output gain. */
    Float4 next() noexcept
    {
        const Float4 r = random4();
        const Float4 x = phase + (r + r - 1.0f) * jitterScale;

        // Plasma squeezes the first part of the cycle: p = x^2 / 2pi for x > 0.
        const Float4 warped = (x * x * invTwoPi) & (x > Float4 (0.0f));
        // The jitter can push the phase just outside [0, 2pi); wrapped back, the
        // square and its BLEP corrections see where in the cycle it really is.
        const Float4 wrapped = x + (Float4 (twoPi) & (x < Float4 (0.0f))) - (Float4 (twoPi) & (x >= Float4 (twoPi)));
        const Float4 p = select (isPlasma, warped, wrapped);
        const Float4 s = sine (p);

        const Float4 square = select (p <= Float4 (pi), Float4 (1.0f), Float4 (-1.0f));
        const Float4 q = select (isPlasma, s, square);
        const Float4 h = highPass.process (q);

        const Float4 t = p * invTwoPi;
        const Float4 tShift = t + 0.5f;
        const Float4 t2 = tShift - truncSmall (tShift);
        const Float4 m = (blep (t) - blep (t2)) * blepOn + h * wA + q * wB;
        const Float4 y = lowPass.process (m);

        phase += omega;
        phase -= Float4 (twoPi) & (phase >= Float4 (twoPi));

        return outputGain * select (isSine, s, y);
    }

    // Read-only views for tests and diagnostics.
    Float4 getFrequency() const noexcept { return frequency; }
    Float4 getOmega() const noexcept { return omega; }
    Float4 getPhase() const noexcept { return phase; }
    float getSampleRate() const noexcept { return sampleRate[0]; }

    struct Biquad
    {
        Float4 b0, b1, b2, a1, a2, s1, s2;

        Float4 process (Float4 x) noexcept
        {
            const Float4 y = b0 * x + s1;
            s1 = b1 * x - a1 * y + s2;
            s2 = b2 * x - a2 * y;
            return y;
        }
    };

    const Biquad& getHighPass() const noexcept { return highPass; }
    const Biquad& getLowPass() const noexcept { return lowPass; }

    /** The largest high-pass cutoff, as a fraction of the rate, that keeps the filter stable. */
    static constexpr float maxHighPassCutoffRatio = 0.49f;

private:
    static constexpr float pi = 3.14159265358979323846f;
    static constexpr float twoPi = 6.28318530717958647692f;
    static constexpr float invTwoPi = 0.159154943091895335769f;

    /** sin over the bank's phase range (a few cycles either side of zero): one
        reduction to [-pi, pi], a fold to [-pi/2, pi/2] and an odd polynomial
        of degree 11, accurate to single precision. */
    static Float4 sine (Float4 x) noexcept
    {
        x = x - roundSmall (x * invTwoPi) * twoPi;
        const Float4 halfPi (1.57079632679489661923f);
        x = select (x > halfPi, Float4 (pi) - x, x);
        x = select (x < -halfPi, Float4 (-pi) - x, x);
        const Float4 z = x * x;
        Float4 y = -2.5052108e-8f;
        y = y * z + 2.7557319e-6f;
        y = y * z - 1.98412698e-4f;
        y = y * z + 8.33333333e-3f;
        y = y * z - 1.66666667e-1f;
        return (y * z) * x + x;
    }

    Float4 blep (Float4 t) const noexcept
    {
        const Float4 u1 = (t - 1.0f) * invDt;
        const Float4 rising = u1 * u1 + u1 + u1 + 1.0f;
        const Float4 u2 = t * invDt;
        const Float4 falling = u2 + u2 - u2 * u2 - 1.0f;
        return select (t > oneMinusDt, rising, falling & (t < dt));
    }

    /** Four draws of the 48-bit linear congruential generator of juce::Random,
        lane 0 first. The four seeds come from jump-ahead constants, so the
        multiplies do not wait for each other. */
    Float4 random4() noexcept
    {
        constexpr uint64_t mask48 = 0xFFFFFFFFFFFFULL;
        const uint64_t s1 = (seed * jumpA[0] + jumpC[0]) & mask48;
        const uint64_t s2 = (seed * jumpA[1] + jumpC[1]) & mask48;
        const uint64_t s3 = (seed * jumpA[2] + jumpC[2]) & mask48;
        const uint64_t s4 = (seed * jumpA[3] + jumpC[3]) & mask48;
        seed = s4;
        const Float4 u ((float) (uint32_t) (s1 >> 16), (float) (uint32_t) (s2 >> 16),
                        (float) (uint32_t) (s3 >> 16), (float) (uint32_t) (s4 >> 16));
        return min (u * (1.0f / 4294967296.0f), Float4 (0.99999988f));
    }

    static const uint64_t jumpA[4];
    static const uint64_t jumpC[4];

    Float4 sampleRate { 44100.0f };
    Float4 nyquist { 22050.0f };
    Float4 frequency { 1000.0f };
    Float4 phase;
    Float4 omega;
    Float4 wave;
    Float4 blepOn { 1.0f }, wA { 0.03125f }, wB { 0.96875f }, lowPassQ { 0.70710677f }, outputGain { 1.0f };
    Float4 jitterScale;
    Float4 dt, invDt, oneMinusDt;
    Float4 isPlasma, isSine;
    Biquad highPass, lowPass;
    uint64_t seed = 0;
};

} // namespace corvane
