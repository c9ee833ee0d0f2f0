#include "CorvaneVoice.h"

#include <algorithm>
#include <cmath>

namespace corvane
{

void VoiceEnvelope::setParameters (double rate, float attackSeconds, float decaySeconds, float sustain,
                                   float releaseSeconds) noexcept
{
    const auto samples = [rate] (float seconds) { return (float) (rate * (double) seconds); };
    const auto mult = [] (float k, float n) { return n > 0.0f ? std::exp (-k / n) : 0.0f; };

    multiplier[Attack] = mult (attackConstant, samples (attackSeconds));
    offset[Attack] = attackTarget * (1.0f - multiplier[Attack]);

    multiplier[Decay] = mult (decayConstant, samples (decaySeconds));
    offset[Decay] = (sustain - 0.01f) * (1.0f - multiplier[Decay]);

    multiplier[Sustain] = 1.0f;
    offset[Sustain] = 0.0f;

    multiplier[Release] = mult (decayConstant, samples (releaseSeconds));
    offset[Release] = -0.01f * (1.0f - multiplier[Release]);

    sustainLevel = sustain;
}

CorvaneVoice::CorvaneVoice()
{
    for (auto& l : level)
        l = RampedValue (0.0f, levelRampLength);
}

bool CorvaneVoice::canPlaySound (juce::SynthesiserSound* sound)
{
    return dynamic_cast<CorvaneSound*> (sound) != nullptr;
}

void CorvaneVoice::startNote (int midiNoteNumber, float, juce::SynthesiserSound*, int)
{
    envelope.stage = VoiceEnvelope::Attack; // from the present level: a releasing voice restarts smoothly
    bank.reset();
    waveFade.current = Float4 (1.0f);
    waveFade.target = Float4 (1.0f);
    waveFade.remaining = Float4 (0.0f);
    note = midiNoteNumber;
}

void CorvaneVoice::stopNote (float, bool allowTailOff)
{
    if (allowTailOff)
    {
        if (envelope.stage != VoiceEnvelope::Idle)
            envelope.stage = VoiceEnvelope::Release;
        return;
    }

    envelope.stage = VoiceEnvelope::Idle;
    envelope.level = 0.0f;
    clearCurrentNote();
}

void CorvaneVoice::setCurrentPlaybackSampleRate (double newRate)
{
    juce::SynthesiserVoice::setCurrentPlaybackSampleRate (newRate);

    if (newRate > 0.0)
    {
        bank.setSampleRate ((float) newRate);
        waveFade.length = Float4 ((float) (0.15 * newRate));
    }
}

void CorvaneVoice::applySettings (const Settings& s) noexcept
{
    envelope.setParameters (getSampleRate(), s.attack, s.decay, s.sustain, s.release);

    for (int n = 0; n < 4; ++n)
    {
        level[n].setTarget (s.level[n]);
        octave[n] = s.octave[n];

        if (s.wave[n] != wave[n])
        {
            wave[n] = s.wave[n];

            if (isVoiceActive())
            {
                // Cut the changed Vox at once; the render fades it back in.
                const Float4 t = (n == 0) ? Float4 (0.0f, 1.0f, 1.0f, 1.0f)
                               : (n == 1) ? Float4 (1.0f, 0.0f, 1.0f, 1.0f)
                               : (n == 2) ? Float4 (1.0f, 1.0f, 0.0f, 1.0f)
                                          : Float4 (1.0f, 1.0f, 1.0f, 0.0f);
                waveFade.target = t;
                waveFade.current = t;
                waveFade.remaining = Float4 (0.0f);
            }
        }

        semitone[n] = s.semitone[n];
        fineTune[n] = s.fineTune[n];

        int sameOctaveBelow = 0;
        for (int m = 0; m < n; ++m)
            if (octave[m] == octave[n])
                ++sameOctaveBelow;
        detune[n] = 2.0e-6f * (float) sameOctaveBelow;
    }
}

void CorvaneVoice::renderNextBlock (juce::AudioBuffer<float>& outputBuffer, int startSample, int numSamples)
{
    if (envelope.stage == VoiceEnvelope::Idle)
        return;

    const float targets[4] = { level[0].getTarget(), level[1].getTarget(), level[2].getTarget(), level[3].getTarget() };
    const Float4 levelTargets = Float4::load (targets);
    bank.updateBlock (note, octave, semitone, fineTune, wave, detune, targets);

    if (laneBits (waveFade.target != Float4 (1.0f)) != 0)
    {
        waveFade.target = Float4 (1.0f);
        waveFade.remaining = waveFade.length;
        waveFade.step = (Float4 (1.0f) - waveFade.current) / waveFade.length;
    }

    const int numChannels = outputBuffer.getNumChannels();
    float* const* channels = outputBuffer.getArrayOfWritePointers();

    // Rendered in short runs into a local buffer, so that the sample loop stores
    // nothing the compiler must assume aliases the voice's state; each run is then
    // added to the output channels.
    constexpr int runLength = 64;
    alignas (16) float run[runLength];
    VoxOscillatorBank localBank = bank;
    WaveFade fade = waveFade;
    VoiceEnvelope env = envelope;
    bool finished = false;

    for (int runStart = startSample; runStart < startSample + numSamples && ! finished; runStart += runLength)
    {
        const int n = std::min (runLength, startSample + numSamples - runStart);
        int produced = 0;

        for (; produced < n; ++produced)
        {
            // Levels are constant for most blocks: read the targets then.
            const bool levelsMoving = level[0].isRamping() || level[1].isRamping() || level[2].isRamping() || level[3].isRamping();
            const Float4 levels = levelsMoving ? Float4 (level[0].next(), level[1].next(), level[2].next(), level[3].next())
                                               : levelTargets;
            const Float4 o = localBank.next();

            const Float4 ramping = fade.remaining > Float4 (0.0f);
            const Float4 g = select (ramping, fade.current + fade.step, fade.target);
            fade.current = g;
            fade.remaining = max (fade.remaining - 1.0f, Float4 (0.0f));

            const float e = env.step();
            if (env.stage == VoiceEnvelope::Idle)
            {
                finished = true;
                break;
            }

            run[produced] = horizontalSum (g * o * levels) * e * outputScale;
        }

        for (int ch = 0; ch < numChannels; ++ch)
        {
            float* dest = channels[ch] + runStart;
            for (int k = 0; k < produced; ++k)
                dest[k] += run[k];
        }
    }

    bank = localBank;
    waveFade = fade;
    envelope = env;

    if (finished)
        clearCurrentNote();
}

} // namespace corvane
