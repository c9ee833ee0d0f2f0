#include "engine/CorvaneVoice.h"
#include "engine/ParameterTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvane;

namespace
{
    /** Steps an envelope until it leaves the given stage; returns the number of steps. */
    int stepsInStage (VoiceEnvelope& env, int stage, int limit = 10000000)
    {
        int n = 0;
        while (env.stage == stage && n < limit)
        {
            env.step();
            ++n;
        }
        return n;
    }
}

TEST (VoiceEnvelope, StageTimesFollowTheSettingsAtEveryRate)
{
    struct Case { double voiceRate; float seconds; };
    const Case cases[] = { { 88200.0, 0.01f }, { 88200.0, 1.0f }, { 192000.0, 0.01f }, { 192000.0, 2.0f } };

    for (const auto& c : cases)
    {
        const double expected = c.voiceRate * c.seconds;
        // Single-precision steps drift a little over long stages.
        const double tolerance = 2.0 + expected * 5e-3;

        VoiceEnvelope attack;
        attack.setParameters (c.voiceRate, c.seconds, 1.0f, 0.5f, 1.0f);
        attack.stage = VoiceEnvelope::Attack;
        EXPECT_NEAR (stepsInStage (attack, VoiceEnvelope::Attack), expected, tolerance) << c.voiceRate << " " << c.seconds;
        EXPECT_EQ (attack.level, 1.0f);
        EXPECT_EQ (attack.stage, VoiceEnvelope::Decay);

        // Decay towards sustain 0 and release from full scale take the set time to reach 0.
        VoiceEnvelope decay;
        decay.setParameters (c.voiceRate, 0.01f, c.seconds, 0.0f, 1.0f);
        decay.stage = VoiceEnvelope::Decay;
        decay.level = 1.0f;
        EXPECT_NEAR (stepsInStage (decay, VoiceEnvelope::Decay), expected, tolerance);
        EXPECT_EQ (decay.level, 0.0f);
        EXPECT_EQ (decay.stage, VoiceEnvelope::Sustain);

        VoiceEnvelope release;
        release.setParameters (c.voiceRate, 0.01f, 1.0f, 0.5f, c.seconds);
        release.stage = VoiceEnvelope::Release;
        release.level = 1.0f;
        EXPECT_NEAR (stepsInStage (release, VoiceEnvelope::Release), expected, tolerance);
        EXPECT_EQ (release.level, 0.0f);
        EXPECT_EQ (release.stage, VoiceEnvelope::Idle);
    }
}

TEST (VoiceEnvelope, FullSustainEndsDecayAtOnceAndIdleReadsZero)
{
    VoiceEnvelope env;
    env.setParameters (88200.0, 0.01f, 1.0f, 1.0f, 1.0f);
    env.stage = VoiceEnvelope::Decay;
    env.level = 1.0f;
    EXPECT_EQ (env.step(), 1.0f);
    EXPECT_EQ (env.stage, VoiceEnvelope::Sustain);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ (env.step(), 1.0f);

    VoiceEnvelope idle;
    EXPECT_EQ (idle.step(), 0.0f);
}

namespace
{
    void updateAll (VoxOscillatorBank& bank, int note, int octave, int semi, float fine, int wave)
    {
        const int oct[4] = { octave, octave, octave, octave };
        const int st[4] = { semi, semi, semi, semi };
        const float ft[4] = { fine, fine, fine, fine };
        const int wv[4] = { wave, wave, wave, wave };
        const float detune[4] = { 0, 0, 0, 0 };
        const float level[4] = { 1, 1, 1, 1 };
        bank.updateBlock (note, oct, st, ft, wv, detune, level);
    }
}

TEST (VoxOscillatorBank, SineLaneIsExactlyScaledSineOfThePhase)
{
    VoxOscillatorBank bank;
    bank.setSampleRate (88200.0f);
    bank.reset();
    updateAll (bank, 57, 0, 0, 0.0f, (int) VoxWave::Sine);
    EXPECT_NEAR (bank.getFrequency()[0], 220.0f, 1e-3f);

    for (int i = 0; i < 2000; ++i)
    {
        const float phase = bank.getPhase()[0];
        const Float4 y = bank.next();
        for (int lane = 0; lane < 4; ++lane)
            ASSERT_NEAR (y[lane], 2.5f * std::sin (phase), 2e-6f) << "sample " << i;
    }
}

TEST (VoxOscillatorBank, PitchFollowsNoteOctaveSemitoneAndFineTune)
{
    VoxOscillatorBank bank;
    bank.setSampleRate (96000.0f);
    const int oct[4] = { 0, 1, -1, 0 };
    const int st[4] = { 0, 0, 7, -11 };
    const float ft[4] = { 0.0f, 0.0f, 0.0f, 1.0f };
    const int wv[4] = { 0, 1, 2, 3 };
    const float detune[4] = { 0.0f, 0.0f, 0.0f, 6e-6f };
    const float level[4] = { 1, 1, 1, 1 };
    bank.updateBlock (69, oct, st, ft, wv, detune, level);

    const auto f = bank.getFrequency();
    EXPECT_FLOAT_EQ (f[0], 440.0f);
    EXPECT_FLOAT_EQ (f[1], 880.0f);
    EXPECT_NEAR (f[2], 220.0f * std::pow (2.0f, 7.0f / 12.0f), 1e-3f);
    EXPECT_NEAR (f[3], 440.0f * std::pow (2.0f, -10.0f / 12.0f) * (1.0f + 6e-6f), 1e-3f);
}

TEST (VoxOscillatorBank, OutputStaysFiniteAndBoundedAcrossThePitchRange)
{
    // Voice rates for 44.1, 48 and 96 kHz hosts; the top notes reach past the
    // playback rate, where the high-pass must stay stable.
    for (float rate : { 88200.0f, 96000.0f, 192000.0f })
        for (int wave = 0; wave < 4; ++wave)
            for (int note : { 0, 24, 60, 96, 127 })
                for (int octave : { -1, 2 })
                    for (int semi : { -11, 11 })
                    {
                        VoxOscillatorBank bank;
                        bank.setSampleRate (rate);
                        bank.reset();
                        updateAll (bank, note, octave, semi, 1.0f, wave);
                        float peak = 0.0f;
                        for (int i = 0; i < 4000; ++i)
                        {
                            const Float4 y = bank.next();
                            for (int lane = 0; lane < 4; ++lane)
                            {
                                ASSERT_TRUE (std::isfinite (y[lane]))
                                    << rate << " wave " << wave << " note " << note << " oct " << octave << " semi " << semi;
                                peak = std::max (peak, std::abs (y[lane]));
                            }
                        }
                        EXPECT_LT (peak, 3.0f) << rate << " wave " << wave << " note " << note << " oct " << octave;
                    }
}

TEST (VoxOscillatorBank, AboveNyquistTheStepIsHalfACycle)
{
    VoxOscillatorBank bank;
    bank.setSampleRate (88200.0f);
    updateAll (bank, 127, 2, 11, 0.0f, 0); // about 100 kHz
    EXPECT_GT (bank.getFrequency()[0], 88200.0f);
    EXPECT_FLOAT_EQ (bank.getOmega()[0], 3.14159265f);
}

TEST (VoxOscillatorBank, SquareWavesHaveTheirLevelAndNoDc)
{
    for (int wave : { 0, 1 })
    {
        VoxOscillatorBank bank;
        bank.setSampleRate (88200.0f);
        bank.reset();
        updateAll (bank, 45, 0, 0, 0.0f, wave); // 110 Hz
        double sum = 0.0, sumSq = 0.0;
        const int n = 88200;
        for (int i = 0; i < n; ++i)
        {
            const float y = bank.next()[0];
            sum += y;
            sumSq += (double) y * y;
        }
        EXPECT_NEAR (sum / n, 0.0, 0.01) << wave;
        EXPECT_NEAR (std::sqrt (sumSq / n), 1.0, 0.15) << wave; // a square of amplitude 1
    }
}
