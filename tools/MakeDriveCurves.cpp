// Writes the drive's curve resource: four tables of 65536 four-lane entries
// (table m holds the curves of bands m, m + 4, m + 8, m + 12 as its lanes), then
// the sixteen raw band trims, the whole zlib-compressed.
//
// Each curve is a monotone cubic (Fritsch-Carlson) through a handful of points,
// rising from 0 like 0.64 tanh (14.75 x) and flat from its knee on. The drive
// replaces the start of every curve by a straight line when it loads them, so
// points below those straight starts only have to keep the curve monotonic.
//
// Usage: corvane_drive_curves <output file>

#include <zlib.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

constexpr int entries = 65536;
constexpr int lastUsed = 65534;

struct Point { double entry, value; };

struct Curve
{
    std::vector<Point> points; // ascending, starting after (0, 0), ending at the knee
    double ceiling;
};

// Points of the upper bands' common shape, as a fraction of the ceiling.
constexpr double shape150 = 0.0191 / 0.6390, shape1000 = 0.1416 / 0.6390, shape3000 = 0.3797 / 0.6390,
                 shape5000 = 0.4958 / 0.6390, shape10000 = 0.6187 / 0.6390;

Curve scaledShape (double ceiling, double knee)
{
    return { { { 150, shape150 * ceiling }, { 1000, shape1000 * ceiling }, { 3000, shape3000 * ceiling },
               { 5000, shape5000 * ceiling }, { 10000, shape10000 * ceiling }, { knee, ceiling } },
             ceiling };
}

Curve pointsAt (double v150, double v1000, double v3000, double v5000, double v10000, double knee, double ceiling)
{
    return { { { 150, v150 }, { 1000, v1000 }, { 3000, v3000 }, { 5000, v5000 }, { 10000, v10000 }, { knee, ceiling } },
             ceiling };
}

std::array<Curve, 16> bandCurves()
{
    return {
        // Bands 0 and 1 become straight lines up to entries 30000 and 20000: only their ceilings are heard.
        scaledShape (0.6229, 15000),
        scaledShape (0.6407, 15000),
        // Band 2 is straight up to entry 5000, band 3 up to entry 1000.
        pointsAt (0.0191, 0.1416, 0.3797, 0.4959, 0.6190, 15500, 0.6396),
        pointsAt (0.0212, 0.1411, 0.3792, 0.4956, 0.6187, 15500, 0.6391),
        pointsAt (0.0191, 0.1416, 0.3797, 0.4958, 0.6187, 14500, 0.6390),
        pointsAt (0.0204, 0.1418, 0.3791, 0.4951, 0.6191, 14500, 0.6389),
        pointsAt (0.0205, 0.1419, 0.3802, 0.4947, 0.6185, 14500, 0.6391),
        pointsAt (0.0209, 0.1430, 0.3795, 0.4967, 0.6194, 15000, 0.6396),
        pointsAt (0.0211, 0.1426, 0.3795, 0.4962, 0.6197, 15000, 0.6403),
        pointsAt (0.0210, 0.1424, 0.3797, 0.4963, 0.6194, 15000, 0.6409),
        pointsAt (0.0209, 0.1426, 0.3805, 0.4965, 0.6190, 15500, 0.6409),
        pointsAt (0.0207, 0.1427, 0.3797, 0.4965, 0.6197, 15500, 0.6420),
        pointsAt (0.0208, 0.1426, 0.3802, 0.4970, 0.6191, 15500, 0.6417),
        pointsAt (0.0211, 0.1430, 0.3797, 0.4957, 0.6178, 16000, 0.6418),
        pointsAt (0.0213, 0.1371, 0.3712, 0.4965, 0.6150, 16000, 0.6425),
        pointsAt (0.0207, 0.1414, 0.3796, 0.4968, 0.6192, 16000, 0.6454),
    };
}

// Raw trims, in the order bands 0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15.
constexpr float rawTrims[16] = { -2.024622f, -6.099906f, -2.952988f, -3.302796f, -2.500782f, -3.975334f,
                                 -3.026167f, -3.324977f, -7.012517f, -3.563111f, -3.461431f, -3.909962f,
                                 -25.0f, -4.419992f, -5.040515f, -2.230999f };

/** Samples a curve at every entry: monotone cubic Hermite through (0, 0) and the points, flat beyond. */
std::vector<float> sample (const Curve& c)
{
    std::vector<Point> p { { 0.0, 0.0 } };
    p.insert (p.end(), c.points.begin(), c.points.end());
    const size_t n = p.size();

    std::vector<double> secant (n - 1), slope (n, 0.0);
    for (size_t i = 0; i + 1 < n; ++i)
        secant[i] = (p[i + 1].value - p[i].value) / (p[i + 1].entry - p[i].entry);

    slope[0] = secant[0];
    for (size_t i = 1; i + 1 < n; ++i)
        slope[i] = (secant[i - 1] * secant[i] <= 0.0) ? 0.0 : (secant[i - 1] + secant[i]) / 2.0;
    slope[n - 1] = 0.0; // the curve meets its ceiling flat

    for (size_t i = 0; i + 1 < n; ++i)
    {
        if (secant[i] == 0.0) { slope[i] = slope[i + 1] = 0.0; continue; }
        const double a = slope[i] / secant[i], b = slope[i + 1] / secant[i];
        const double r = a * a + b * b;
        if (r > 9.0)
        {
            const double t = 3.0 / std::sqrt (r);
            slope[i] = t * a * secant[i];
            slope[i + 1] = t * b * secant[i];
        }
    }

    std::vector<float> out ((size_t) entries);
    size_t seg = 0;
    for (int e = 0; e < entries; ++e)
    {
        const double x = e;
        if (x >= p[n - 1].entry)
        {
            out[(size_t) e] = (float) c.ceiling;
            continue;
        }
        while (x >= p[seg + 1].entry)
            ++seg;
        const double h = p[seg + 1].entry - p[seg].entry;
        const double t = (x - p[seg].entry) / h;
        const double t2 = t * t, t3 = t2 * t;
        out[(size_t) e] = (float) ((2 * t3 - 3 * t2 + 1) * p[seg].value + (t3 - 2 * t2 + t) * h * slope[seg]
                                   + (-2 * t3 + 3 * t2) * p[seg + 1].value + (t3 - t2) * h * slope[seg + 1]);
    }
    return out;
}

} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }

    const auto curves = bandCurves();
    std::vector<std::vector<float>> sampled;
    for (const auto& c : curves)
    {
        sampled.push_back (sample (c));
        const auto& s = sampled.back();
        for (int e = 1; e <= lastUsed; ++e)
            if (s[(size_t) e] < s[(size_t) e - 1])
            {
                std::fprintf (stderr, "curve %zu is not monotonic at entry %d\n", sampled.size() - 1, e);
                return 1;
            }
    }

    std::vector<float> raw;
    raw.reserve ((size_t) 4 * entries * 4 + 16);
    for (int table = 0; table < 4; ++table)
        for (int e = 0; e < entries; ++e)
            for (int lane = 0; lane < 4; ++lane)
                raw.push_back (sampled[(size_t) (table + 4 * lane)][(size_t) e]);
    raw.insert (raw.end(), std::begin (rawTrims), std::end (rawTrims));

    // Little-endian floats, as every supported target stores them.
    std::vector<unsigned char> bytes (raw.size() * 4);
    for (size_t i = 0; i < raw.size(); ++i)
    {
        uint32_t u;
        std::memcpy (&u, &raw[i], 4);
        for (int b = 0; b < 4; ++b)
            bytes[i * 4 + (size_t) b] = (unsigned char) (u >> (8 * b));
    }

    uLongf packedSize = compressBound ((uLong) bytes.size());
    std::vector<unsigned char> packed (packedSize);
    if (compress2 (packed.data(), &packedSize, bytes.data(), (uLong) bytes.size(), 9) != Z_OK)
    {
        std::fprintf (stderr, "compression failed\n");
        return 1;
    }

    FILE* f = std::fopen (argv[1], "wb");
    if (f == nullptr)
    {
        std::fprintf (stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const bool ok = std::fwrite (packed.data(), 1, packedSize, f) == packedSize;
    return (std::fclose (f) == 0 && ok) ? 0 : 1;
}
