// The host's audio thread renders while another thread (a host's state or
// automation thread) sets parameters, saves and restores state as fast as it can.
// Run under ThreadSanitizer in CI (scripts/test.sh --tsan): no data race may show.

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace corvane;
using namespace corvane::test;

TEST (Threads, RenderWhileAnotherThreadSetsParametersAndState)
{
#if defined(__SANITIZE_THREAD__)
    constexpr auto duration = std::chrono::seconds (4);
#else
    constexpr auto duration = std::chrono::seconds (1);
#endif
    auto p = makeProcessor (48000.0, 256);
    std::atomic<bool> stop { false };
    std::atomic<bool> finite { true };
    std::atomic<int> blocks { 0 }, stateCalls { 0 };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;
        int n = 0;
        while (! stop.load())
        {
            if (n % 20 == 0)
                midi.addEvent (juce::MidiMessage::noteOn (1, 40 + (n / 20) % 40, (juce::uint8) 100), n % 256);
            if (n % 20 == 10)
                midi.addEvent (juce::MidiMessage::noteOff (1, 40 + (n / 20) % 40), 0);
            buffer.clear();
            p->processBlock (buffer, midi);
            midi.clear();
            if (! allFinite (buffer))
                finite = false;
            p->readAndResetOutputPeak();
            ++n;
            blocks.store (n);
        }
    });

    std::thread host ([&]
    {
        juce::Random random (7);
        juce::MemoryBlock saved;
        while (! stop.load())
        {
            for (int i = 0; i < 10; ++i)
                setNormalised (*p, random.nextInt (numSynthParameters), random.nextFloat());

            juce::MemoryBlock state;
            p->getStateInformation (state);
            if (random.nextBool())
                saved = state;
            p->setStateInformation (saved.getData(), (int) saved.getSize());
            ++stateCalls;
        }
    });

    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end)
    {
        // The message thread reads what an editor would read.
        p->getOutputPeak();
        for (int row = 0; row < numSynthParameters; ++row)
            p->getParameterValue (row);
        std::this_thread::sleep_for (std::chrono::milliseconds (1));
    }
    stop = true;
    audio.join();
    host.join();

    EXPECT_TRUE (finite.load());
    EXPECT_GT (blocks.load(), 10);
    EXPECT_GT (stateCalls.load(), 10);
}
