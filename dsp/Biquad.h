#pragma once

// Second-order sections on four independent lanes, in the three forms the effects
// use, and the Butterworth designs that feed them.

#include "Float4.h"

#include <cmath>

namespace corvane
{

/** Second-order coefficients of one filter, normalised so that a0 = 1. */
struct BiquadDesign
{
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;

    /** Second-order Butterworth low-pass (bilinear, K = tan (pi f / sr)). */
    static BiquadDesign butterworthLowPass (double frequency, double sampleRate) noexcept
    {
        const double k = std::tan (3.14159265358979323846 * frequency / sampleRate);
        const double n = 1.0 + std::sqrt (2.0) * k + k * k;
        BiquadDesign d;
        d.b0 = k * k / n;
        d.b1 = 2.0 * d.b0;
        d.b2 = d.b0;
        d.a1 = 2.0 * (k * k - 1.0) / n;
        d.a2 = (1.0 - std::sqrt (2.0) * k + k * k) / n;
        return d;
    }

    /** Second-order Butterworth high-pass (bilinear, K = tan (pi f / sr)). */
    static BiquadDesign butterworthHighPass (double frequency, double sampleRate) noexcept
    {
        const double k = std::tan (3.14159265358979323846 * frequency / sampleRate);
        const double n = 1.0 + std::sqrt (2.0) * k + k * k;
        BiquadDesign d;
        d.b0 = 1.0 / n;
        d.b1 = -2.0 * d.b0;
        d.b2 = d.b0;
        d.a1 = 2.0 * (k * k - 1.0) / n;
        d.a2 = (1.0 - std::sqrt (2.0) * k + k * k) / n;
        return d;
    }
};

/** Four lanes of coefficients, one design per lane. */
struct Biquad4Coefficients
{
    Float4 b0 { 1.0f }, b1 { 0.0f }, b2 { 0.0f }, a1 { 0.0f }, a2 { 0.0f };

    static Biquad4Coefficients fromDesign (const BiquadDesign& d) noexcept
    {
        return fromDesigns (d, d, d, d);
    }

    static Biquad4Coefficients fromDesigns (const BiquadDesign& l0, const BiquadDesign& l1,
                                            const BiquadDesign& l2, const BiquadDesign& l3) noexcept
    {
        Biquad4Coefficients c;
        c.b0 = Float4 ((float) l0.b0, (float) l1.b0, (float) l2.b0, (float) l3.b0);
        c.b1 = Float4 ((float) l0.b1, (float) l1.b1, (float) l2.b1, (float) l3.b1);
        c.b2 = Float4 ((float) l0.b2, (float) l1.b2, (float) l2.b2, (float) l3.b2);
        c.a1 = Float4 ((float) l0.a1, (float) l1.a1, (float) l2.a1, (float) l3.a1);
        c.a2 = Float4 ((float) l0.a2, (float) l1.a2, (float) l2.a2, (float) l3.a2);
        return c;
    }
};

/** Transposed direct form II. */
class BiquadTDF2
{
public:
    void setCoefficients (const Biquad4Coefficients& c) noexcept { coeffs = c; }
    const Biquad4Coefficients& getCoefficients() const noexcept { return coeffs; }
    void reset() noexcept { s1 = s2 = Float4 (0.0f); }

    Float4 process (Float4 x) noexcept
    {
        const Float4 y = coeffs.b0 * x + s1;
        s1 = coeffs.b1 * x - coeffs.a1 * y + s2;
        s2 = coeffs.b2 * x - coeffs.a2 * y;
        return y;
    }

private:
    Biquad4Coefficients coeffs;
    Float4 s1 { 0.0f }, s2 { 0.0f };
};

/** Direct form II for sections with b2 = b0, stored as { -a1, -a2, b0, b1 / b0 }. */
class BiquadDF2
{
public:
    void setCoefficients (const Biquad4Coefficients& c) noexcept
    {
        negA1 = -c.a1;
        negA2 = -c.a2;
        b0 = c.b0;
        b1OverB0 = c.b1 / c.b0;
    }

    void reset() noexcept { w1 = w2 = Float4 (0.0f); }

    Float4 process (Float4 x) noexcept
    {
        const Float4 w = x + negA1 * w1 + negA2 * w2;
        const Float4 y = b0 * (w + b1OverB0 * w1 + w2);
        w2 = w1;
        w1 = w;
        return y;
    }

private:
    Float4 negA1 { 0.0f }, negA2 { 0.0f }, b0 { 1.0f }, b1OverB0 { 0.0f };
    Float4 w1 { 0.0f }, w2 { 0.0f };
};

/** Direct form I. */
class BiquadDF1
{
public:
    void setCoefficients (const Biquad4Coefficients& c) noexcept { coeffs = c; }
    const Biquad4Coefficients& getCoefficients() const noexcept { return coeffs; }
    void reset() noexcept { x1 = x2 = y1 = y2 = Float4 (0.0f); }

    Float4 process (Float4 x) noexcept
    {
        const Float4 y = coeffs.b0 * x + coeffs.b1 * x1 + coeffs.b2 * x2 - coeffs.a1 * y1 - coeffs.a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    Biquad4Coefficients coeffs;

private:
    Float4 x1 { 0.0f }, x2 { 0.0f }, y1 { 0.0f }, y2 { 0.0f };
};

} // namespace corvane
