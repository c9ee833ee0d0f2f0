#include "AllocationCounter.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace
{
    /** Every effect at work and every setting moving. */
    void busySettings (CorvaneAudioProcessor& p, float phase)
    {
        setNormalised (p, param::chorusMode, 1.0f);
        setNormalised (p, param::phaserMode, 1.0f);
        setNormalised (p, param::phaserRate, 0.3f + 0.2f * phase);
        setNormalised (p, param::driveAmount, 1.0f - 0.3f * phase);
        setNormalised (p, param::reverbAmount, 1.0f);
        setNormalised (p, param::outputLevel, 0.5f + 0.1f * phase);
        for (int vox = 0; vox < 4; ++vox)
        {
            setNormalised (p, param::level (vox), 0.5f + 0.5f * phase);
            setNormalised (p, param::type (vox), phase > 0.5f ? 0.0f : (float) vox / 3.0f);
            setNormalised (p, param::semi (vox), phase);
        }
    }
}

TEST (RealtimeSafety, ProcessBlockNeverAllocates)
{
    for (int channels : { 1, 2 })
    {
        auto p = makeProcessor (48000.0, 512, channels);
        juce::AudioBuffer<float> buffer (channels, 512);
        juce::MidiBuffer midi;
        midi.ensureSize (8192);

        // Warm up once: the framework synthesiser sizes its voice-stealing list on first use.
        for (int n = 0; n < 30; ++n)
            midi.addEvent (juce::MidiMessage::noteOn (1, 30 + n, (juce::uint8) 100), n);
        p->processBlock (buffer, midi);
        midi.clear();

        long allocations = 0;
        for (int block = 0; block < 300; ++block)
        {
            busySettings (*p, (float) (block % 7) / 6.0f);
            midi.clear();
            for (int n = 0; n < 6; ++n)
            {
                const int note = 20 + (block * 7 + n * 13) % 90;
                midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) 90), (n * 80) % 512);
                midi.addEvent (juce::MidiMessage::noteOff (1, (note + 40) % 128), (n * 97) % 512);
            }
            if (block % 50 == 0)
                midi.addEvent (juce::MidiMessage::controllerEvent (1, 64, block % 100 == 0 ? 127 : 0), 10);

            // Some blocks longer than announced, some tiny.
            const int size = block % 10 == 3 ? 2048 : (block % 10 == 5 ? 1 : 512);
            buffer.setSize (channels, size, false, false, true);

            ScopedAllocationCounter counter;
            p->processBlock (buffer, midi);
            allocations += counter.count();
        }

        EXPECT_EQ (allocations, 0) << channels << " channel(s)";
        EXPECT_TRUE (allFinite (buffer));
    }
}
