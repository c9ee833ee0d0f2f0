#pragma once

// Four-lane transcendental functions: polynomial approximations over
// range-reduced arguments, accurate to single precision. No library calls.

#include "Float4.h"

namespace corvane::fastmath
{

constexpr float pi = 3.14159265358979323846f;
constexpr float twoPi = 6.28318530717958647692f;

namespace detail
{
    struct Reduced
    {
        Float4 x;          // reduced argument in [-pi/4, pi/4]
        Float4 useCosPoly; // lane mask: the octant needs the cosine polynomial for sin
        Float4 octant;     // octant number 0..7 after making it even
    };

    inline Reduced reduce (Float4 ax) noexcept
    {
        // Octant by x * 4/pi, made even, then Cody-Waite reduction by pi/4 in three parts.
        Float4 j = trunc (ax * 1.27323954473516f);
        const Float4 odd = j - 2.0f * trunc (j * 0.5f);
        j = j + odd;
        const Float4 octant = j - 8.0f * trunc (j * 0.125f);
        Float4 x = ax - j * 0.78515625f;
        x = x - j * 2.4187564849853515625e-4f;
        x = x - j * 3.77489497744594108e-8f;
        const Float4 q = octant - 4.0f * trunc (octant * 0.25f); // 0 or 2
        return { x, q == Float4 (2.0f), octant };
    }

    inline Float4 sinPoly (Float4 x, Float4 z) noexcept
    {
        return ((-1.9515295891e-4f * z + 8.3321608736e-3f) * z - 1.6666654611e-1f) * z * x + x;
    }

    inline Float4 cosPoly (Float4 z) noexcept
    {
        return ((2.443315711809948e-5f * z - 1.388731625493765e-3f) * z + 4.166664568298827e-2f) * z * z - 0.5f * z + 1.0f;
    }

    inline Float4 signBit() noexcept { return Float4 (-0.0f); }
}

/** sin(x) per lane. */
inline Float4 sin (Float4 x) noexcept
{
    const Float4 sign = x & detail::signBit();
    const auto r = detail::reduce (abs (x));
    const Float4 z = r.x * r.x;
    Float4 y = select (r.useCosPoly, detail::cosPoly (z), detail::sinPoly (r.x, z));
    const Float4 flip = (r.octant >= Float4 (4.0f)) & detail::signBit();
    return y ^ sign ^ flip;
}

/** cos(x) per lane. */
inline Float4 cos (Float4 x) noexcept
{
    const auto r = detail::reduce (abs (x));
    const Float4 z = r.x * r.x;
    Float4 y = select (r.useCosPoly, detail::sinPoly (r.x, z), detail::cosPoly (z));
    // cos is negative in octants 2..5 (after the even rounding: 2 and 4).
    const Float4 o = r.octant;
    const Float4 negative = (o >= Float4 (2.0f)) & (o <= Float4 (4.0f));
    return y ^ (negative & detail::signBit());
}

/** tan(x) per lane, as the ratio of the two polynomials. */
inline Float4 tan (Float4 x) noexcept
{
    return sin (x) / cos (x);
}

/** exp(x) per lane; the argument is clamped to +-88.3763. */
inline Float4 exp (Float4 x) noexcept
{
    x = clamp (x, Float4 (-88.3762626647949f), Float4 (88.3762626647949f));
    Float4 fx = floor (x * 1.44269504088896341f + 0.5f);
    x = x - fx * 0.693359375f;
    x = x - fx * -2.12194440e-4f;
    const Float4 z = x * x;
    Float4 y = 1.9875691500e-4f;
    y = y * x + 1.3981999507e-3f;
    y = y * x + 8.3334519073e-3f;
    y = y * x + 4.1665795894e-2f;
    y = y * x + 1.6666665459e-1f;
    y = y * x + 5.0000001201e-1f;
    y = y * z + x + 1.0f;
    // fx may reach 128 at the very top of the range: split the power.
    const Float4 half = trunc (fx * 0.5f);
    return y * pow2Integer (half) * pow2Integer (fx - half);
}

} // namespace corvane::fastmath
