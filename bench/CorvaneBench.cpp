// processBlock at 48 kHz in 512-sample stereo blocks. Each benchmark reports
// "realtime": seconds of audio rendered per second of CPU time on one thread.

#include "engine/CorvaneAudioProcessor.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

using corvane::CorvaneAudioProcessor;
namespace param = corvane::param;

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;

    void setPlain (CorvaneAudioProcessor& p, int row, float normalised)
    {
        p.getParameterAt (row)->setValueNotifyingHost (normalised);
    }

    void run (benchmark::State& state, int numNotes, bool allVoxLoud, void (*configure) (CorvaneAudioProcessor&) = nullptr)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        CorvaneAudioProcessor p;
        p.setPlayConfigDetails (0, 2, sampleRate, blockSize);
        p.prepareToPlay (sampleRate, blockSize);

        if (allVoxLoud)
            for (int vox = 0; vox < 4; ++vox)
            {
                setPlain (p, param::level (vox), 1.0f);
                setPlain (p, param::type (vox), (float) vox / 3.0f); // the four wave types mixed
            }
        setPlain (p, param::sustain, 1.0f);
        if (configure != nullptr)
            configure (p);

        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi;
        for (int n = 0; n < numNotes; ++n)
            midi.addEvent (juce::MidiMessage::noteOn (1, 36 + n * 2, (juce::uint8) 100), 0);
        p.processBlock (buffer, midi);
        midi.clear();

        // Let attacks finish so every voice is at full work.
        for (int i = 0; i < 200; ++i)
            p.processBlock (buffer, midi);

        for (auto _ : state)
        {
            p.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getReadPointer (0)[0]);
        }

        const double audioSeconds = (double) state.iterations() * blockSize / sampleRate;
        state.counters["realtime"] = benchmark::Counter (audioSeconds, benchmark::Counter::kIsRate);
    }

    /** Every effect at its heaviest: Chorus Mode 3, Phaser Mode 2, Drive Amount 1, Reverb Amount 1. */
    void heaviestEffects (CorvaneAudioProcessor& p)
    {
        setPlain (p, param::chorusMode, 1.0f);
        setPlain (p, param::phaserMode, 1.0f);
        setPlain (p, param::driveAmount, 1.0f);
        setPlain (p, param::reverbAmount, 1.0f);
    }
}

static void idle (benchmark::State& s) { run (s, 0, false); }
static void chord8 (benchmark::State& s) { run (s, 8, false); }
static void poly25 (benchmark::State& s) { run (s, 25, true); }
// No voice sounding: the oversampler and the four effects alone.
static void idle_heavyEffects (benchmark::State& s) { run (s, 0, false, heaviestEffects); }
// The whole chain.
static void poly25_heavyEffects (benchmark::State& s) { run (s, 25, true, heaviestEffects); }

BENCHMARK (idle)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (chord8)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (poly25)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (idle_heavyEffects)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);
BENCHMARK (poly25_heavyEffects)->Unit (benchmark::kMicrosecond)->UseRealTime()->MinTime (1.0);

BENCHMARK_MAIN();
