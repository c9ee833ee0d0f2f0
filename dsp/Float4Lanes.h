#pragma once

// Lane moves for Float4 that sample loops can afford: broadcasts, shuffles,
// horizontal sums and per-lane gathers from frame arrays. Float4::operator[]
// goes through memory and is meant for set-up code only; these do not.

#include "Float4.h"

namespace corvane::lanes
{

#if CORVANE_FLOAT4_SSE

/** Lane L of a copied into all four lanes. */
template <int L>
inline Float4 broadcast (Float4 a) noexcept
{
    return _mm_shuffle_ps (a.v, a.v, _MM_SHUFFLE (L, L, L, L));
}

/** { a[A], a[B], c[C], c[D] }: two lanes of the first value, then two of the second. */
template <int A, int B, int C, int D>
inline Float4 shuffle2 (Float4 a, Float4 c) noexcept
{
    return _mm_shuffle_ps (a.v, c.v, _MM_SHUFFLE (D, C, B, A));
}

/** { a[A], a[B], a[C], a[D] } */
template <int A, int B, int C, int D>
inline Float4 shuffle (Float4 a) noexcept
{
    return _mm_shuffle_ps (a.v, a.v, _MM_SHUFFLE (D, C, B, A));
}

/** The sum of the four lanes, in every lane. */
inline Float4 sumAll (Float4 a) noexcept
{
    const __m128 s = _mm_add_ps (a.v, _mm_shuffle_ps (a.v, a.v, _MM_SHUFFLE (2, 3, 0, 1)));
    return _mm_add_ps (s, _mm_shuffle_ps (s, s, _MM_SHUFFLE (1, 0, 3, 2)));
}

inline float first (Float4 a) noexcept { return _mm_cvtss_f32 (a.v); }

/** Whole-number lane values (held as floats, |x| < 2^31) as ints. */
inline void toInts (Float4 a, int* out) noexcept
{
    _mm_storeu_si128 (reinterpret_cast<__m128i*> (out), _mm_cvttps_epi32 (a.v));
}

#else

template <int L>
inline Float4 broadcast (Float4 a) noexcept { return Float4 (a[L]); }

template <int A, int B, int C, int D>
inline Float4 shuffle2 (Float4 a, Float4 c) noexcept { return Float4 (a[A], a[B], c[C], c[D]); }

template <int A, int B, int C, int D>
inline Float4 shuffle (Float4 a) noexcept { return Float4 (a[A], a[B], a[C], a[D]); }

inline Float4 sumAll (Float4 a) noexcept
{
    alignas (16) float t[4];
    a.store (t);
    return Float4 ((t[0] + t[1]) + (t[2] + t[3]));
}

inline float first (Float4 a) noexcept { return a[0]; }

inline void toInts (Float4 a, int* out) noexcept
{
    alignas (16) float t[4];
    a.store (t);
    for (int i = 0; i < 4; ++i)
        out[i] = (int) t[i];
}

#endif

/** The sum of the four lanes as a float ((a0 + a1) + (a2 + a3) order is not promised). */
inline float sum (Float4 a) noexcept { return first (sumAll (a)); }

/** Lane k of the result is lane k of frames[index[k]]. */
inline Float4 gather (const Float4* frames, const int* index) noexcept
{
    const float* f = reinterpret_cast<const float*> (frames);
    return Float4 (f[index[0] * 4], f[index[1] * 4 + 1], f[index[2] * 4 + 2], f[index[3] * 4 + 3]);
}

/** Lane k of the result is lane k of frames[index[k]], with the indices held as floats. */
inline Float4 gather (const Float4* frames, Float4 index) noexcept
{
    alignas (16) int i[4];
    toInts (index, i);
    return gather (frames, i);
}

} // namespace corvane::lanes
