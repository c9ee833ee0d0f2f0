// Each effect stage alone at 48 kHz stereo, in 512-sample blocks, on a steady
// signal, at the setting that makes it work hardest. "realtime" is seconds of
// audio processed per second of CPU time.

#include "effects/ChorusEffect.h"
#include "effects/MultibandDrive.h"
#include "effects/PhaserEffect.h"
#include "effects/ReverbEngine.h"

#include <benchmark/benchmark.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <vector>

using namespace corvane;

namespace
{
    constexpr float sampleRate = 48000.0f;
    constexpr int blockSize = 512;

    /** A steady two-tone block, restored from a copy before every pass. */
    struct StereoBlock
    {
        std::vector<float> left, right, sourceLeft, sourceRight;
        std::vector<Float4> frames, sourceFrames;

        StereoBlock()
        {
            for (int n = 0; n < blockSize; ++n)
            {
                sourceLeft.push_back (0.5f * std::sin (0.037f * (float) n));
                sourceRight.push_back (0.5f * std::sin (0.041f * (float) n));
                sourceFrames.push_back (Float4 (sourceLeft.back(), sourceRight.back(), 0.0f, 0.0f));
            }
            refill();
        }

        void refill()
        {
            left = sourceLeft;
            right = sourceRight;
            frames = sourceFrames;
        }
    };

    void report (benchmark::State& state)
    {
        const double audioSeconds = (double) state.iterations() * blockSize / sampleRate;
        state.counters["realtime"] = benchmark::Counter (audioSeconds, benchmark::Counter::kIsRate);
    }
}

static void stage_chorusMode3 (benchmark::State& state)
{
    juce::ScopedNoDenormals noDenormals;
    ChorusEffect chorus;
    chorus.prepare (sampleRate);
    StereoBlock b;
    for (auto _ : state)
    {
        chorus.setMode (3);
        for (auto& f : b.frames)
            chorus.process (f);
        benchmark::DoNotOptimize (b.frames[0]);
        b.refill();
    }
    report (state);
}

static void stage_phaserMode2 (benchmark::State& state)
{
    juce::ScopedNoDenormals noDenormals;
    PhaserEffect phaser;
    phaser.prepare (sampleRate);
    StereoBlock b;
    for (auto _ : state)
    {
        phaser.setRate (2.0f);
        phaser.setMode (2, 0.5f);
        for (auto& f : b.frames)
            phaser.process (f);
        benchmark::DoNotOptimize (b.frames[0]);
        b.refill();
    }
    report (state);
}

static void stage_driveAmount1 (benchmark::State& state)
{
    juce::ScopedNoDenormals noDenormals;
    MultibandDrive drive;
    drive.prepare (sampleRate);
    StereoBlock b;
    for (auto _ : state)
    {
        drive.setAmount (1.0f, blockSize);
        for (int n = 0; n < blockSize; ++n)
        {
            b.left[(size_t) n] = drive.process (b.left[(size_t) n], 0);
            b.right[(size_t) n] = drive.process (b.right[(size_t) n], 1);
        }
        benchmark::DoNotOptimize (b.left[0]);
        b.refill();
    }
    report (state);
}

static void stage_reverbAmount1 (benchmark::State& state)
{
    juce::ScopedNoDenormals noDenormals;
    ReverbEngine reverb;
    reverb.prepare (sampleRate);
    StereoBlock b;
    for (auto _ : state)
    {
        reverb.setDecay (10.0f);
        reverb.setMix (1.0f);
        float* channels[2] = { b.left.data(), b.right.data() };
        reverb.process (channels, 2, blockSize);
        benchmark::DoNotOptimize (b.left[0]);
        b.refill();
    }
    report (state);
}

BENCHMARK (stage_chorusMode3)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (stage_phaserMode2)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (stage_driveAmount1)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (stage_reverbAmount1)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
