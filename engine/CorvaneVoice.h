#pragma once

#include "VoxOscillatorBank.h"
#include "dsp/RampedValue.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace corvane
{

/** The single sound every voice accepts: all notes, all channels. */
class CorvaneSound : public juce::SynthesiserSound
{
public:
    bool appliesToNote (int) override { return true; }
    bool appliesToChannel (int) override { return true; }
};

/** Exponential attack/decay/sustain/release: each step is level = level * multiplier + offset. */
struct VoiceEnvelope
{
    enum Stage : int
    {
        Attack = 0,
        Decay = 1,
        Sustain = 2,
        Release = 3,
        Idle = 4
    };

    static constexpr float attackTarget = 1.08f;
    static constexpr float attackConstant = 2.6026897f;  // ln (1.08 / 0.08)
    static constexpr float decayConstant = 4.6151204f;   // ln (1.01 / 0.01)

    int stage = Idle;
    float level = 0.0f;
    float sustainLevel = 0.0f;
    float multiplier[4] { 0.0f, 0.0f, 1.0f, 0.0f };
    float offset[4] {};

    /** Recomputes the multipliers and offsets from the times (seconds) at the given rate. */
    void setParameters (double rate, float attackSeconds, float decaySeconds, float sustain, float releaseSeconds) noexcept;

    /** Advances one sample and returns the level (0 when idle). */
    float step() noexcept
    {
        switch (stage)
        {
            case Attack:
                level = level * multiplier[Attack] + offset[Attack];
                if (level >= 1.0f) { level = 1.0f; stage = Decay; }
                return level;
            case Decay:
                level = level * multiplier[Decay] + offset[Decay];
                if (level <= sustainLevel) { level = sustainLevel; stage = Sustain; }
                return level;
            case Sustain:
                return level;
            case Release:
                level = level * multiplier[Release] + offset[Release];
                if (level <= 0.0f) { level = 0.0f; stage = Idle; }
                return level;
            default:
                return 0.0f;
        }
    }
};

/** One note: four Vox oscillators with smoothed levels under one envelope. */
class CorvaneVoice : public juce::SynthesiserVoice
{
public:
    CorvaneVoice();

    bool canPlaySound (juce::SynthesiserSound*) override;
    void startNote (int midiNoteNumber, float velocity, juce::SynthesiserSound*, int pitchWheelPosition) override;
    void stopNote (float velocity, bool allowTailOff) override;
    void pitchWheelMoved (int) override {}
    void controllerMoved (int, int) override {}
    void renderNextBlock (juce::AudioBuffer<float>& outputBuffer, int startSample, int numSamples) override;
    void setCurrentPlaybackSampleRate (double newRate) override;
    using juce::SynthesiserVoice::renderNextBlock;

    /** The per-block settings, already converted to plain values. */
    struct Settings
    {
        float level[4];
        int octave[4];
        int wave[4];
        int semitone[4];
        float fineTune[4];
        float attack, decay, sustain, release;
    };

    void applySettings (const Settings& settings) noexcept;

    const VoiceEnvelope& getEnvelope() const noexcept { return envelope; }
    const VoxOscillatorBank& getBank() const noexcept { return bank; }
    const float* getDetune() const noexcept { return detune; }

    static constexpr int levelRampLength = 256;
    static constexpr float outputScale = 0.0625f;

private:
    struct WaveFade
    {
        Float4 current { 1.0f }, target { 1.0f }, step, remaining, length { 256.0f };
    };

    VoxOscillatorBank bank;
    RampedValue level[4];
    int octave[4] {};
    int semitone[4] {};
    int wave[4] {};
    float fineTune[4] {};
    float detune[4] {};
    WaveFade waveFade;
    VoiceEnvelope envelope;
    int note = 60;
};

} // namespace corvane
