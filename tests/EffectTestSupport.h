#pragma once

// Measuring helpers shared by the effect tests.

#include <cmath>
#include <complex>
#include <vector>

namespace corvane::testing_support
{

constexpr double twoPi = 6.283185307179586476925;

inline double rms (const std::vector<float>& x, size_t from = 0, size_t to = (size_t) -1)
{
    to = to > x.size() ? x.size() : to;
    double s = 0.0;
    for (size_t i = from; i < to; ++i)
        s += (double) x[i] * x[i];
    return to > from ? std::sqrt (s / (double) (to - from)) : 0.0;
}

inline double peak (const std::vector<float>& x, size_t from = 0, size_t to = (size_t) -1)
{
    to = to > x.size() ? x.size() : to;
    double p = 0.0;
    for (size_t i = from; i < to; ++i)
        p = std::fmax (p, std::fabs ((double) x[i]));
    return p;
}

inline double toDb (double gain) { return 20.0 * std::log10 (gain); }

/** In-place radix-2 FFT; the size must be a power of two. */
inline void fft (std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1)
    {
        const std::complex<double> w (std::cos (-twoPi / (double) len), std::sin (-twoPi / (double) len));
        for (size_t i = 0; i < n; i += len)
        {
            std::complex<double> wk (1.0, 0.0);
            for (size_t k = 0; k < len / 2; ++k)
            {
                const auto u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                wk *= w;
            }
        }
    }
}

/** Magnitude (linear) of an impulse response at a frequency, by direct DFT. */
inline double magnitudeAt (const std::vector<float>& impulseResponse, double frequency, double sampleRate)
{
    std::complex<double> s (0.0, 0.0);
    for (size_t n = 0; n < impulseResponse.size(); ++n)
        s += (double) impulseResponse[n] * std::polar (1.0, -twoPi * frequency * (double) n / sampleRate);
    return std::abs (s);
}

} // namespace corvane::testing_support
