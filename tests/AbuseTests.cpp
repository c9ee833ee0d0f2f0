// What hosts and players do to a plug-in that nobody plans for: re-preparing in the
// middle of a note, every key at once, note-offs out of nowhere, a pedal held for
// ever, every parameter jumping every block, and ten minutes of random playing.
// Nothing may crash, hang or put a non-finite sample out.

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace corvane;
using namespace corvane::test;

namespace
{
    juce::AudioBuffer<float> renderBlock (CorvaneAudioProcessor& p, int size, juce::MidiBuffer& midi, int channels = 2)
    {
        juce::AudioBuffer<float> b (channels, size);
        b.clear();
        p.processBlock (b, midi);
        midi.clear();
        return b;
    }

    juce::AudioBuffer<float> renderBlock (CorvaneAudioProcessor& p, int size)
    {
        juce::MidiBuffer none;
        return renderBlock (p, size, none);
    }

    juce::MidiMessage sustain (bool down)
    {
        return juce::MidiMessage::controllerEvent (1, 64, down ? 127 : 0);
    }
}

TEST (Abuse, PrepareAgainMidStreamWithOtherRatesAndBlockSizes)
{
    auto p = makeProcessor (44100.0, 512);
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 57, (juce::uint8) 100), 0);
    midi.addEvent (juce::MidiMessage::noteOn (1, 64, (juce::uint8) 100), 3);
    ASSERT_TRUE (allFinite (renderBlock (*p, 512, midi)));

    struct Step { double rate; int block; };
    const Step steps[] = { { 48000.0, 64 }, { 96000.0, 1024 }, { 192000.0, 4096 }, { 22050.0, 128 },
                           { 44100.0, 1 }, { 192000.0, 32 }, { 48000.0, 2048 } };

    for (const auto& s : steps)
    {
        p->setPlayConfigDetails (0, 2, s.rate, s.block);
        p->prepareToPlay (s.rate, s.block);

        // The announced size, then one eight times larger than announced, then odd ones.
        for (const int size : { s.block, 8 * s.block, 7, 1, 0 })
        {
            midi.addEvent (juce::MidiMessage::noteOn (1, 48 + size % 24, (juce::uint8) 90), 0);
            const auto out = renderBlock (*p, size, midi);
            ASSERT_TRUE (allFinite (out)) << s.rate << " Hz, block " << size;
            EXPECT_LT (peakOf (out), 4.0f) << s.rate << " Hz, block " << size;
        }
    }

    // Still playing after all that.
    EXPECT_GT (peakOf (renderBlock (*p, 8192)), 0.01f);
}

TEST (Abuse, EveryKeyAtOnceAndNoteOffsFromNowhere)
{
    auto p = makeProcessor (48000.0, 512);

    // Note-offs for notes that never started, on every channel.
    juce::MidiBuffer midi;
    for (int note = 0; note < 128; ++note)
        midi.addEvent (juce::MidiMessage::noteOff (1 + note % 16, note), note % 512);
    EXPECT_EQ (peakOf (renderBlock (*p, 512, midi)), 0.0f);

    // All 128 keys in one block, then all off; 25 voices must cope by stealing.
    for (int note = 0; note < 128; ++note)
        midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) 127), 0);
    float peak = 0.0f;
    for (int b = 0; b < 40; ++b)
    {
        const auto out = renderBlock (*p, 512, midi);
        ASSERT_TRUE (allFinite (out)) << b;
        peak = std::max (peak, peakOf (out));
    }
    EXPECT_GT (peak, 0.01f);

    for (int note = 0; note < 128; ++note)
        midi.addEvent (juce::MidiMessage::noteOff (1, note), 0);
    midi.addEvent (juce::MidiMessage::allNotesOff (1), 1);
    for (int b = 0; b < 40; ++b)
        ASSERT_TRUE (allFinite (renderBlock (*p, 512, midi)));
}

TEST (Abuse, SustainPedalHeldThroughAHundredNotes)
{
    auto p = makeProcessor (48000.0, 256);
    setNormalised (*p, param::release, 0.0f); // shortest release, so the end is quick to hear
    setNormalised (*p, param::reverbAmount, 0.0f);

    juce::MidiBuffer midi;
    midi.addEvent (sustain (true), 0);
    juce::Random random (42);
    for (int i = 0; i < 100; ++i)
    {
        const int note = 24 + random.nextInt (72);
        midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) (1 + random.nextInt (127))), random.nextInt (256));
        midi.addEvent (juce::MidiMessage::noteOff (1, note), 255);
        const auto out = renderBlock (*p, 256, midi);
        ASSERT_TRUE (allFinite (out)) << i;
    }
    EXPECT_GT (peakOf (renderBlock (*p, 256)), 0.01f); // held by the pedal

    midi.addEvent (sustain (false), 0);
    renderBlock (*p, 256, midi);

    // Pedal up: every voice releases; after a few seconds nothing is left sounding.
    for (int b = 0; b < 48000 * 6 / 256; ++b)
        renderBlock (*p, 256);
    EXPECT_LT (peakOf (renderBlock (*p, 4096)), 1e-4f);
}

TEST (Abuse, EveryParameterMovesEveryBlock)
{
    for (const int channels : { 2, 1 })
    {
        auto p = makeProcessor (48000.0, 128, channels);
        juce::MidiBuffer midi;
        for (const int note : { 36, 48, 55, 60, 64, 67, 72, 84 })
            midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) 100), 0);

        // Each block a new value for all thirty, sweeping 0 to 1 and back, rows out of step.
        constexpr int blocks = 600;
        for (int b = 0; b < blocks; ++b)
        {
            for (int row = 0; row < numSynthParameters; ++row)
            {
                const float t = std::fmod ((float) b / 100.0f + (float) row / numSynthParameters, 2.0f);
                setNormalised (*p, row, t <= 1.0f ? t : 2.0f - t);
            }
            if (b % 50 == 25)
                midi.addEvent (juce::MidiMessage::allNotesOff (1), 0);
            if (b % 50 == 0)
                midi.addEvent (juce::MidiMessage::noteOn (1, 40 + b % 40, (juce::uint8) 100), 5);

            const auto out = renderBlock (*p, 128, midi, channels);
            ASSERT_TRUE (allFinite (out)) << "block " << b << ", " << channels << " channels";
        }

        // Jumps between the extremes in every block.
        for (int b = 0; b < 200; ++b)
        {
            for (int row = 0; row < numSynthParameters; ++row)
                setNormalised (*p, row, ((b + row) & 1) != 0 ? 1.0f : 0.0f);
            ASSERT_TRUE (allFinite (renderBlock (*p, 128, midi, channels))) << "jump block " << b;
        }
    }
}

TEST (Abuse, TenMinuteSoakStaysFiniteBoundedAndFast)
{
    // Ten minutes of audio at 48 kHz (half a minute in the much slower sanitizer builds):
    // random notes and parameter moves, then every note off and a long tail. The
    // render time of each stretch is compared with the first ones: a collapse
    // (denormals in decaying tails, say) shows up as stretches many times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr int seconds = 30;
#else
    constexpr int seconds = 600;
#endif
    constexpr double rate = 48000.0;
    constexpr int block = 512;
    constexpr int stretches = 20;
    const int blocksPerStretch = (int) (seconds * rate / block / stretches);

    auto p = makeProcessor (rate, block);
    juce::Random random (2024);
    juce::MidiBuffer midi;
    std::vector<int> held;
    std::vector<double> times;
    float peak = 0.0f;

    juce::AudioBuffer<float> buffer (2, block);
    for (int s = 0; s < stretches; ++s)
    {
        const bool tail = s >= stretches - 3; // the last stretches only let the notes die away
        const auto start = std::chrono::steady_clock::now();

        for (int b = 0; b < blocksPerStretch; ++b)
        {
            if (! tail)
            {
                if (random.nextInt (8) == 0 && held.size() < 6)
                {
                    const int note = 30 + random.nextInt (66);
                    midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) (20 + random.nextInt (108))), random.nextInt (block));
                    held.push_back (note);
                }
                if (! held.empty() && random.nextInt (10) == 0)
                {
                    const auto i = (size_t) random.nextInt ((int) held.size());
                    midi.addEvent (juce::MidiMessage::noteOff (1, held[i]), random.nextInt (block));
                    held.erase (held.begin() + (long) i);
                }
                if (random.nextInt (4) == 0)
                    setNormalised (*p, random.nextInt (numSynthParameters), random.nextFloat());
            }
            else if (! held.empty())
            {
                for (int note : held)
                    midi.addEvent (juce::MidiMessage::noteOff (1, note), 0);
                held.clear();
            }

            buffer.clear();
            p->processBlock (buffer, midi);
            midi.clear();

            for (int ch = 0; ch < 2; ++ch)
            {
                const auto range = juce::FloatVectorOperations::findMinAndMax (buffer.getReadPointer (ch), block);
                ASSERT_TRUE (std::isfinite (range.getStart()) && std::isfinite (range.getEnd()))
                    << "stretch " << s << " block " << b;
                peak = std::max ({ peak, -range.getStart(), range.getEnd() });
            }
        }
        times.push_back (std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count());
    }

    EXPECT_LT (peak, 2.0f) << "peak " << juce::Decibels::gainToDecibels (peak) << " dBFS"; // +6 dBFS
    EXPECT_GT (peak, 0.01f);

    const double first = *std::min_element (times.begin(), times.begin() + 3);
    const double audioPerStretch = seconds / (double) stretches;
    for (int s = 0; s < stretches; ++s)
        EXPECT_LT (times[(size_t) s], 4.0 * first + 0.05) << "stretch " << s << " took " << times[(size_t) s] << " s";

    double total = 0.0;
    for (double t : times)
        total += t;
    std::printf ("soak: %d s of audio in %.1f s (%.0f x realtime), peak %.1f dBFS, stretch of %.0f s: first %.2f s, slowest %.2f s\n",
                 seconds, total, seconds / total, juce::Decibels::gainToDecibels (peak), audioPerStretch, first,
                 *std::max_element (times.begin(), times.end()));
}
