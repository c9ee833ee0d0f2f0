#include "ParameterTable.h"

#include <cctype>
#include <cstring>

namespace corvane
{

namespace
{
    using N = ParameterSpec::Number;

    constexpr N f (float v) { N n {}; n.f = v; return n; }
    constexpr N i (int32_t v) { N n {}; n.i = v; return n; }

    constexpr ParameterSpec floatRow (int32_t index, const char* name, float mn, float mx, float def, const char* unit,
                                      const char* longName = "")
    {
        return { index, ParameterKind::Float, f (mn), f (mx), f (def), name, unit, longName, nullptr };
    }

    constexpr ParameterSpec intRow (int32_t index, const char* name, int32_t mn, int32_t mx, int32_t def,
                                    const char* const* choices = nullptr)
    {
        return { index, ParameterKind::Int, i (mn), i (mx), i (def), name, "", "", choices };
    }

    constexpr ParameterSpec boolRow (int32_t index, const char* name, int32_t def, const char* longName,
                                     const char* const* choices)
    {
        return { index, ParameterKind::Bool, i (0), i (1), i (def), name, "", longName, choices };
    }

    const char* const enabledDisabled[] = { "Enabled", "Disabled" };
    const char* const offOn[] = { "Off", "On" };
    const char* const eqTypes[] = { "HIGH_PASS", "LOW SHELF", "PEAK", "HIGH SHELF", "LOW PASS" };
    const char* const reverbTypes[] = { "Type One", "Type Two", "Type Three" };
}

const ParameterSpec synthParameterTable[numSynthParameters] = {
    floatRow (0, "Vox 1 Level", 0.0f, 1.0f, 0.707f, "%"),
    intRow (1, "Vox 1 Octave", -1, 2, 1),
    intRow (2, "Vox 1 Type", 0, 3, 0),
    floatRow (3, "Vox 2 Level", 0.0f, 1.0f, 0.707f, "%"),
    intRow (4, "Vox 2 Octave", -1, 2, -1),
    intRow (5, "Vox 2 Type", 0, 3, 0),
    floatRow (6, "Vox 3 Level", 0.0f, 1.0f, 0.707f, "%"),
    intRow (7, "Vox 3 Octave", -1, 2, 0),
    intRow (8, "Vox 3 Type", 0, 3, 0),
    floatRow (9, "Vox 4 Level", 0.0f, 1.0f, 0.707f, "%"),
    intRow (10, "Vox 4 Octave", -1, 2, 0),
    intRow (11, "Vox 4 Type", 0, 3, 0),
    floatRow (12, "Attack", 0.01f, 2.0f, 1.0f, "s"),
    floatRow (13, "Decay", 0.0049f, 2.0f, 1.0f, "s"),
    floatRow (14, "Sustain", 0.0f, 1.0f, 0.75f, ""),
    floatRow (15, "Release", 0.01f, 4.0f, 2.5f, "s"),
    intRow (16, "Chorus Mode", 0, 3, 0),
    floatRow (17, "Phaser Rate", 0.02f, 8.0f, 0.5f, "Hz"),
    intRow (18, "Phaser Mode", 0, 2, 0),
    floatRow (19, "Reverb Amount", 0.0f, 1.0f, 0.0f, "%"),
    floatRow (20, "Output Level", 0.0f, 1.5f, 1.0f, "%"),
    intRow (21, "Vox 1 Semi", -11, 11, 0),
    floatRow (22, "Vox 1 Fine Tune", -1.0f, 1.0f, 0.0f, "%"),
    intRow (23, "Vox 2 Semi", -11, 11, 0),
    floatRow (24, "Vox 2 Fine Tune", -1.0f, 1.0f, 0.0f, "%"),
    intRow (25, "Vox 3 Semi", -11, 11, 0),
    floatRow (26, "Vox 3 Fine Tune", -1.0f, 1.0f, 0.0f, "%"),
    intRow (27, "Vox 4 Semi", -11, 11, 0),
    floatRow (28, "Vox 4 Fine Tune", -1.0f, 1.0f, 0.0f, "%"),
    floatRow (29, "Drive Amount", 0.0f, 1.0f, 0.0f, "%"),
};

const ParameterSpec reverbSettingsTable[numReverbSettings] = {
    floatRow (0, "Pre-Delay", 0.0f, 300.0f, 19.976595f, "ms", "Pre-Delay time"),
    boolRow (1, "Pre EQ Bypass On/Off", 0, "Pre EQ Bypass", enabledDisabled),
    intRow (2, "Pre EQ Type", 0, 4, 2, eqTypes),
    floatRow (3, "Pre EQ Freq", 20.0f, 20000.0f, 234.39494f, "Hz"),
    floatRow (4, "Pre EQ Q Factor", 0.1f, 5.0f, 0.414103f, ""),
    floatRow (5, "Pre EQ Gain", -16.0f, 16.0f, -3.035925f, "dB"),
    boolRow (6, "Post EQ Bypass On/Off", 0, "Post EQ Bypass", enabledDisabled),
    intRow (7, "Post EQ Type", 0, 4, 2, eqTypes),
    floatRow (8, "Post EQ Freq", 20.0f, 20000.0f, 5009.8164f, "Hz"),
    floatRow (9, "Post EQ Q Factor", 0.1f, 5.0f, 0.225641f, ""),
    floatRow (10, "Post EQ Gain", -16.0f, 16.0f, 2.871815f, "dB"),
    floatRow (11, "Decay", 0.0f, 25.0f, 1.799198f, "s", "Decay time"),
    floatRow (12, "Damping", 20.0f, 20000.0f, 13825.726f, "Hz", "Damping"),
    floatRow (13, "Diffusion", 0.0f, 100.0f, 80.03124f, "%", "Diffusion amount"),
    floatRow (14, "Spread", 0.0f, 100.0f, 71.08744f, "%", "Spread amount"),
    floatRow (15, "Mod Rate", 0.05f, 1.0f, 0.080875f, "Hz", "Modulation rate"),
    floatRow (16, "Mod Depth", 0.0f, 100.0f, 12.037494f, "%", "Modulation depth"),
    intRow (17, "Reverb Type", 0, 2, 1, reverbTypes),
    floatRow (18, "ER/LR Mix", 0.0f, 100.0f, 62.04377f, "%", "Early/Late reflections mix"),
    floatRow (19, "Dry", 0.0f, 100.0f, 89.999985f, "%", "Dry mix"),
    floatRow (20, "Wet", 0.0f, 100.0f, 72.00002f, "%", "Wet mix"),
    boolRow (21, "Ducker On/Off", 0, "Ducker On/Off", enabledDisabled),
    floatRow (22, "Ducker Threshold", -96.0f, 0.0f, -17.512512f, "dB", "Ducker threshold"),
    floatRow (23, "Ducker Attack", 0.1f, 200.0f, 2.385792f, "ms", "Ducker attack"),
    floatRow (24, "Ducker Release", 1.0f, 800.0f, 15.527211f, "ms", "Ducker release"),
    boolRow (25, "Bypass On/Off", 0, "Bypass on/off", offOn),
};

std::string parameterId (const ParameterSpec& spec)
{
    std::string name (spec.name);
    const auto first = name.find_first_not_of (" \t\r\n");
    const auto last = name.find_last_not_of (" \t\r\n");
    name = first == std::string::npos ? std::string() : name.substr (first, last - first + 1);

    std::string id = std::to_string (spec.index);
    for (char c : name)
        if (c != ' ')
            id += (char) std::tolower ((unsigned char) c);
    return id;
}

int roundHalfEven (double x) noexcept
{
    // Adding 1.5 * 2^52 leaves the rounded integer in the low bits of the sum
    // (the FPU's default rounding, halves to even); read them as a 32-bit integer.
    volatile double sum = x + 6755399441055744.0;
    const double s = sum;
    int64_t bits;
    std::memcpy (&bits, &s, sizeof (bits));
    return (int32_t) (uint32_t) (bits & 0xffffffff);
}

float plainValue (int row, float v) noexcept
{
    const auto& spec = synthParameterTable[row];
    const float mn = spec.minValue();
    const float span = spec.span();

    switch (row)
    {
        case param::vox1Level: case param::vox2Level: case param::vox3Level: case param::vox4Level:
        case param::outputLevel:
            return mn + span * (v * v);
        case param::sustain:
        case param::reverbAmount:
        case param::driveAmount:
            return v;
        case param::phaserRate:
            return mn + span * (v * v * v * v);
        case param::chorusMode:
            return (float) roundHalfEven (3.0 * (double) v);
        default:
            break;
    }

    if (spec.kind != ParameterKind::Float)
        return (float) roundHalfEven ((double) (mn + span * v));

    return mn + span * v;
}

} // namespace corvane
