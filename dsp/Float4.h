#pragma once

// Four single-precision lanes processed together. One source compiles to SSE2
// on x86-64, to NEON on arm64 and to plain scalar code elsewhere.
//
// Comparisons return lane masks (all bits set for true, zero for false) held in
// a Float4; select() blends two values by such a mask, so per-lane choices in
// sample loops never need branches.

#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
 #define CORVANE_FLOAT4_SSE 1
 #include <emmintrin.h>
#elif defined(__ARM_NEON) || defined(__ARM_NEON__) || defined(_M_ARM64)
 #define CORVANE_FLOAT4_NEON 1
 #include <arm_neon.h>
#else
 #define CORVANE_FLOAT4_SCALAR 1
 #include <cmath>
#endif

namespace corvane
{

struct alignas (16) Float4
{
#if CORVANE_FLOAT4_SSE
    using Native = __m128;
#elif CORVANE_FLOAT4_NEON
    using Native = float32x4_t;
#else
    struct Native { float f[4]; };
#endif

    Native v;

    Float4() noexcept : Float4 (0.0f) {}
    Float4 (Native n) noexcept : v (n) {}

#if CORVANE_FLOAT4_SSE
    Float4 (float x) noexcept : v (_mm_set1_ps (x)) {}
    Float4 (float a, float b, float c, float d) noexcept : v (_mm_setr_ps (a, b, c, d)) {}
    static Float4 load (const float* p) noexcept { return _mm_loadu_ps (p); }
    void store (float* p) const noexcept { _mm_storeu_ps (p, v); }
#elif CORVANE_FLOAT4_NEON
    Float4 (float x) noexcept : v (vdupq_n_f32 (x)) {}
    Float4 (float a, float b, float c, float d) noexcept
    {
        const float t[4] = { a, b, c, d };
        v = vld1q_f32 (t);
    }
    static Float4 load (const float* p) noexcept { return vld1q_f32 (p); }
    void store (float* p) const noexcept { vst1q_f32 (p, v); }
#else
    Float4 (float x) noexcept : v { { x, x, x, x } } {}
    Float4 (float a, float b, float c, float d) noexcept : v { { a, b, c, d } } {}
    static Float4 load (const float* p) noexcept { return Float4 (p[0], p[1], p[2], p[3]); }
    void store (float* p) const noexcept { std::memcpy (p, v.f, sizeof (v.f)); }
#endif

    // Lane access, for set-up code and tests; sample loops avoid it.
    float operator[] (int lane) const noexcept
    {
        alignas (16) float t[4];
        store (t);
        return t[lane & 3];
    }

    void set (int lane, float x) noexcept
    {
        alignas (16) float t[4];
        store (t);
        t[lane & 3] = x;
        *this = load (t);
    }

    Float4& operator+= (Float4 o) noexcept;
    Float4& operator-= (Float4 o) noexcept;
    Float4& operator*= (Float4 o) noexcept;
    Float4& operator/= (Float4 o) noexcept;
};

static_assert (sizeof (Float4) == 16 && alignof (Float4) == 16, "Float4 must be one 16-byte vector");

#if CORVANE_FLOAT4_SSE

inline Float4 operator+ (Float4 a, Float4 b) noexcept { return _mm_add_ps (a.v, b.v); }
inline Float4 operator- (Float4 a, Float4 b) noexcept { return _mm_sub_ps (a.v, b.v); }
inline Float4 operator* (Float4 a, Float4 b) noexcept { return _mm_mul_ps (a.v, b.v); }
inline Float4 operator/ (Float4 a, Float4 b) noexcept { return _mm_div_ps (a.v, b.v); }
inline Float4 operator- (Float4 a) noexcept { return _mm_xor_ps (a.v, _mm_set1_ps (-0.0f)); }
inline Float4 min (Float4 a, Float4 b) noexcept { return _mm_min_ps (a.v, b.v); }
inline Float4 max (Float4 a, Float4 b) noexcept { return _mm_max_ps (a.v, b.v); }
inline Float4 sqrt (Float4 a) noexcept { return _mm_sqrt_ps (a.v); }
inline Float4 abs (Float4 a) noexcept { return _mm_andnot_ps (_mm_set1_ps (-0.0f), a.v); }

inline Float4 operator> (Float4 a, Float4 b) noexcept { return _mm_cmpgt_ps (a.v, b.v); }
inline Float4 operator>= (Float4 a, Float4 b) noexcept { return _mm_cmpge_ps (a.v, b.v); }
inline Float4 operator< (Float4 a, Float4 b) noexcept { return _mm_cmplt_ps (a.v, b.v); }
inline Float4 operator<= (Float4 a, Float4 b) noexcept { return _mm_cmple_ps (a.v, b.v); }
inline Float4 operator== (Float4 a, Float4 b) noexcept { return _mm_cmpeq_ps (a.v, b.v); }
inline Float4 operator!= (Float4 a, Float4 b) noexcept { return _mm_cmpneq_ps (a.v, b.v); }

inline Float4 operator& (Float4 a, Float4 b) noexcept { return _mm_and_ps (a.v, b.v); }
inline Float4 operator| (Float4 a, Float4 b) noexcept { return _mm_or_ps (a.v, b.v); }
inline Float4 operator^ (Float4 a, Float4 b) noexcept { return _mm_xor_ps (a.v, b.v); }
/** Lanes of b where mask is clear. */
inline Float4 andNot (Float4 mask, Float4 b) noexcept { return _mm_andnot_ps (mask.v, b.v); }

/** Per lane: mask ? a : b. */
inline Float4 select (Float4 mask, Float4 a, Float4 b) noexcept
{
    return _mm_or_ps (_mm_and_ps (mask.v, a.v), _mm_andnot_ps (mask.v, b.v));
}

/** Rounds toward zero; exact for |x| < 2^31. */
inline Float4 trunc (Float4 a) noexcept
{
    const __m128 t = _mm_cvtepi32_ps (_mm_cvttps_epi32 (a.v));
    // Magnitudes of 2^23 and above are already integers (and may not fit an int).
    const __m128 big = _mm_cmpge_ps (_mm_andnot_ps (_mm_set1_ps (-0.0f), a.v), _mm_set1_ps (8388608.0f));
    return _mm_or_ps (_mm_and_ps (big, a.v), _mm_andnot_ps (big, t));
}

/** Rounds toward zero; only for |x| < 2^31 (cheaper than trunc). */
inline Float4 truncSmall (Float4 a) noexcept { return _mm_cvtepi32_ps (_mm_cvttps_epi32 (a.v)); }

/** Nearest integer (halves to even); only for |x| < 2^31. */
inline Float4 roundSmall (Float4 a) noexcept { return _mm_cvtepi32_ps (_mm_cvtps_epi32 (a.v)); }

/** Bit mask of the lanes whose mask is set (bit n for lane n). */
inline int laneBits (Float4 mask) noexcept { return _mm_movemask_ps (mask.v); }

/** 2^n for lanes holding integers n in [-126, 127]. */
inline Float4 pow2Integer (Float4 n) noexcept
{
    const __m128i e = _mm_add_epi32 (_mm_cvttps_epi32 (n.v), _mm_set1_epi32 (127));
    return _mm_castsi128_ps (_mm_slli_epi32 (e, 23));
}

#elif CORVANE_FLOAT4_NEON

namespace detail
{
    inline float32x4_t maskToFloat (uint32x4_t m) noexcept { return vreinterpretq_f32_u32 (m); }
    inline uint32x4_t floatToMask (float32x4_t f) noexcept { return vreinterpretq_u32_f32 (f); }
}

inline Float4 operator+ (Float4 a, Float4 b) noexcept { return vaddq_f32 (a.v, b.v); }
inline Float4 operator- (Float4 a, Float4 b) noexcept { return vsubq_f32 (a.v, b.v); }
inline Float4 operator* (Float4 a, Float4 b) noexcept { return vmulq_f32 (a.v, b.v); }
inline Float4 operator/ (Float4 a, Float4 b) noexcept { return vdivq_f32 (a.v, b.v); }
inline Float4 operator- (Float4 a) noexcept { return vnegq_f32 (a.v); }
inline Float4 min (Float4 a, Float4 b) noexcept { return vminq_f32 (a.v, b.v); }
inline Float4 max (Float4 a, Float4 b) noexcept { return vmaxq_f32 (a.v, b.v); }
inline Float4 sqrt (Float4 a) noexcept { return vsqrtq_f32 (a.v); }
inline Float4 abs (Float4 a) noexcept { return vabsq_f32 (a.v); }

inline Float4 operator> (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vcgtq_f32 (a.v, b.v)); }
inline Float4 operator>= (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vcgeq_f32 (a.v, b.v)); }
inline Float4 operator< (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vcltq_f32 (a.v, b.v)); }
inline Float4 operator<= (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vcleq_f32 (a.v, b.v)); }
inline Float4 operator== (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vceqq_f32 (a.v, b.v)); }
inline Float4 operator!= (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vmvnq_u32 (vceqq_f32 (a.v, b.v))); }

inline Float4 operator& (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vandq_u32 (detail::floatToMask (a.v), detail::floatToMask (b.v))); }
inline Float4 operator| (Float4 a, Float4 b) noexcept { return detail::maskToFloat (vorrq_u32 (detail::floatToMask (a.v), detail::floatToMask (b.v))); }
inline Float4 operator^ (Float4 a, Float4 b) noexcept { return detail::maskToFloat (veorq_u32 (detail::floatToMask (a.v), detail::floatToMask (b.v))); }
inline Float4 andNot (Float4 mask, Float4 b) noexcept { return detail::maskToFloat (vbicq_u32 (detail::floatToMask (b.v), detail::floatToMask (mask.v))); }

inline Float4 select (Float4 mask, Float4 a, Float4 b) noexcept { return vbslq_f32 (detail::floatToMask (mask.v), a.v, b.v); }

inline Float4 trunc (Float4 a) noexcept { return vrndq_f32 (a.v); }
inline Float4 truncSmall (Float4 a) noexcept { return vrndq_f32 (a.v); }
inline Float4 roundSmall (Float4 a) noexcept { return vrndnq_f32 (a.v); }

inline int laneBits (Float4 mask) noexcept
{
    const uint32x4_t m = vshrq_n_u32 (detail::floatToMask (mask.v), 31);
    return (int) (vgetq_lane_u32 (m, 0) | (vgetq_lane_u32 (m, 1) << 1) | (vgetq_lane_u32 (m, 2) << 2) | (vgetq_lane_u32 (m, 3) << 3));
}

inline Float4 pow2Integer (Float4 n) noexcept
{
    const int32x4_t e = vaddq_s32 (vcvtq_s32_f32 (n.v), vdupq_n_s32 (127));
    return vreinterpretq_f32_s32 (vshlq_n_s32 (e, 23));
}

#else // scalar

namespace detail
{
    template <typename Op>
    inline Float4 map2 (Float4 a, Float4 b, Op op) noexcept
    {
        Float4 r;
        for (int i = 0; i < 4; ++i) r.v.f[i] = op (a.v.f[i], b.v.f[i]);
        return r;
    }

    inline float maskValue (bool b) noexcept
    {
        const uint32_t bits = b ? 0xffffffffu : 0u;
        float f;
        std::memcpy (&f, &bits, 4);
        return f;
    }

    inline uint32_t bitsOf (float f) noexcept { uint32_t u; std::memcpy (&u, &f, 4); return u; }
    inline float floatOf (uint32_t u) noexcept { float f; std::memcpy (&f, &u, 4); return f; }
}

inline Float4 operator+ (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return x + y; }); }
inline Float4 operator- (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return x - y; }); }
inline Float4 operator* (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return x * y; }); }
inline Float4 operator/ (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return x / y; }); }
inline Float4 operator- (Float4 a) noexcept { return Float4 (0.0f) - a; }
inline Float4 min (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return y < x ? y : x; }); }
inline Float4 max (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return y > x ? y : x; }); }
inline Float4 sqrt (Float4 a) noexcept { return detail::map2 (a, a, [] (float x, float) { return std::sqrt (x); }); }
inline Float4 abs (Float4 a) noexcept { return detail::map2 (a, a, [] (float x, float) { return x < 0 ? -x : x; }); }

inline Float4 operator> (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x > y); }); }
inline Float4 operator>= (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x >= y); }); }
inline Float4 operator< (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x < y); }); }
inline Float4 operator<= (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x <= y); }); }
inline Float4 operator== (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x == y); }); }
inline Float4 operator!= (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::maskValue (x != y); }); }

inline Float4 operator& (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::floatOf (detail::bitsOf (x) & detail::bitsOf (y)); }); }
inline Float4 operator| (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::floatOf (detail::bitsOf (x) | detail::bitsOf (y)); }); }
inline Float4 operator^ (Float4 a, Float4 b) noexcept { return detail::map2 (a, b, [] (float x, float y) { return detail::floatOf (detail::bitsOf (x) ^ detail::bitsOf (y)); }); }
inline Float4 andNot (Float4 mask, Float4 b) noexcept { return detail::map2 (mask, b, [] (float m, float y) { return detail::floatOf (~detail::bitsOf (m) & detail::bitsOf (y)); }); }
inline Float4 select (Float4 mask, Float4 a, Float4 b) noexcept { return (mask & a) | andNot (mask, b); }

inline Float4 trunc (Float4 a) noexcept
{
    return detail::map2 (a, a, [] (float x, float) { return (x < 8388608.0f && x > -8388608.0f) ? (float) (int32_t) x : x; });
}

inline Float4 truncSmall (Float4 a) noexcept { return trunc (a); }
inline Float4 roundSmall (Float4 a) noexcept
{
    return detail::map2 (a, a, [] (float x, float) { return std::nearbyint (x); });
}

inline int laneBits (Float4 mask) noexcept
{
    int r = 0;
    for (int i = 0; i < 4; ++i) r |= (int) (detail::bitsOf (mask.v.f[i]) >> 31) << i;
    return r;
}

inline Float4 pow2Integer (Float4 n) noexcept
{
    return detail::map2 (n, n, [] (float x, float) { return detail::floatOf ((uint32_t) ((int32_t) x + 127) << 23); });
}

#endif

inline Float4& Float4::operator+= (Float4 o) noexcept { return *this = *this + o; }
inline Float4& Float4::operator-= (Float4 o) noexcept { return *this = *this - o; }
inline Float4& Float4::operator*= (Float4 o) noexcept { return *this = *this * o; }
inline Float4& Float4::operator/= (Float4 o) noexcept { return *this = *this / o; }

inline Float4 operator+ (Float4 a, float b) noexcept { return a + Float4 (b); }
inline Float4 operator+ (float a, Float4 b) noexcept { return Float4 (a) + b; }
inline Float4 operator- (Float4 a, float b) noexcept { return a - Float4 (b); }
inline Float4 operator- (float a, Float4 b) noexcept { return Float4 (a) - b; }
inline Float4 operator* (Float4 a, float b) noexcept { return a * Float4 (b); }
inline Float4 operator* (float a, Float4 b) noexcept { return Float4 (a) * b; }
inline Float4 operator/ (Float4 a, float b) noexcept { return a / Float4 (b); }
inline Float4 operator/ (float a, Float4 b) noexcept { return Float4 (a) / b; }

/** All bits set: the "true" lane of a mask. */
inline Float4 allBitsMask() noexcept { return Float4 (0.0f) == Float4 (0.0f); }

/** Rounds toward minus infinity; exact for |x| < 2^31. */
inline Float4 floor (Float4 a) noexcept
{
    const Float4 t = trunc (a);
    return t - (Float4 (1.0f) & (t > a));
}

inline Float4 clamp (Float4 x, Float4 lo, Float4 hi) noexcept { return min (max (x, lo), hi); }

inline bool anyLane (Float4 mask) noexcept { return laneBits (mask) != 0; }
inline bool allLanes (Float4 mask) noexcept { return laneBits (mask) == 0xf; }

/** Sum of the four lanes. */
inline float horizontalSum (Float4 a) noexcept
{
    alignas (16) float t[4];
    a.store (t);
    return t[0] + t[1] + t[2] + t[3];
}

} // namespace corvane
