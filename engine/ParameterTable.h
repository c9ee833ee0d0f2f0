#pragma once

#include <cstdint>
#include <string>

namespace corvane
{

enum class ParameterKind : int32_t
{
    Float = 0,
    Int = 1,
    Bool = 2
};

/** One row of a parameter table. min, max and the default are floats for Float
    rows and 32-bit integers for Int and Bool rows. */
struct ParameterSpec
{
    union Number
    {
        float f;
        int32_t i;
    };

    int32_t index;
    ParameterKind kind;
    Number min;
    Number max;
    Number defaultValue;
    const char* name;
    const char* unit;
    const char* longName;
    const char* const* choices;

    float minValue() const noexcept { return kind == ParameterKind::Float ? min.f : (float) min.i; }
    float maxValue() const noexcept { return kind == ParameterKind::Float ? max.f : (float) max.i; }
    float defaultPlain() const noexcept { return kind == ParameterKind::Float ? defaultValue.f : (float) defaultValue.i; }
    float span() const noexcept { return maxValue() - minValue(); }

    /** The default as a normalised 0..1 value, as the host parameter holds it. */
    float defaultNormalised() const noexcept
    {
        const float s = span();
        return s > 0.0f ? (defaultPlain() - minValue()) / s : 0.0f;
    }
};

/** Row indices of the synth parameter table (also positions in the processor's parameter list). */
namespace param
{
    enum : int
    {
        vox1Level = 0, vox1Octave, vox1Type,
        vox2Level, vox2Octave, vox2Type,
        vox3Level, vox3Octave, vox3Type,
        vox4Level, vox4Octave, vox4Type,
        attack, decay, sustain, release,
        chorusMode, phaserRate, phaserMode, reverbAmount, outputLevel,
        vox1Semi, vox1FineTune, vox2Semi, vox2FineTune,
        vox3Semi, vox3FineTune, vox4Semi, vox4FineTune,
        driveAmount,
        count
    };

    constexpr int level (int vox) noexcept { return vox * 3; }
    constexpr int octave (int vox) noexcept { return vox * 3 + 1; }
    constexpr int type (int vox) noexcept { return vox * 3 + 2; }
    constexpr int semi (int vox) noexcept { return vox1Semi + vox * 2; }
    constexpr int fineTune (int vox) noexcept { return vox1FineTune + vox * 2; }
}

constexpr int numSynthParameters = param::count;
constexpr int numReverbSettings = 26;

extern const ParameterSpec synthParameterTable[numSynthParameters];
extern const ParameterSpec reverbSettingsTable[numReverbSettings];

/** The host ID of a row: the index followed by the lower-case name without blanks. */
std::string parameterId (const ParameterSpec& spec);

/** Nearest integer, halves to even, computed in double precision. */
int roundHalfEven (double x) noexcept;

/** The plain value the engine uses for a synth parameter row, from its normalised value. */
float plainValue (int row, float normalised) noexcept;

} // namespace corvane
