// Fuzzes the state reader with arbitrary records, in host and preset mode. After
// every record each parameter must hold a finite value in 0..1, writing the state
// and reading it back must change nothing, and a block rendered with a note
// sounding must be finite.

#include "engine/CorvaneAudioProcessor.h"

#include <juce_events/juce_events.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
    corvane::CorvaneAudioProcessor* processor = nullptr;

    void check (bool condition)
    {
        if (! condition)
            std::abort();
    }
}

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // Held for the whole run and released when the fuzzer exits, before the
    // framework's leak detectors take stock.
    static juce::ScopedJuceInitialiser_GUI* juceEnvironment = new juce::ScopedJuceInitialiser_GUI();
    processor = new corvane::CorvaneAudioProcessor();
    std::atexit ([]
    {
        delete processor;
        processor = nullptr;
        delete juceEnvironment;
    });
    processor->setPlayConfigDetails (0, 2, 48000.0, 64);
    processor->prepareToPlay (48000.0, 64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    auto& p = *processor;

    // The first byte picks the reader's mode; the rest is the record.
    const bool forPreset = size > 0 && (data[0] & 1) != 0;
    const void* record = size > 0 ? data + 1 : data;
    const int length = size > 0 ? (int) size - 1 : 0;
    p.readState (record, length, forPreset);

    float values[corvane::numSynthParameters];
    for (int row = 0; row < corvane::numSynthParameters; ++row)
    {
        values[row] = p.getParameterValue (row);
        check (std::isfinite (values[row]) && values[row] >= 0.0f && values[row] <= 1.0f);
    }

    juce::MemoryBlock written;
    p.writeState (written, forPreset);
    check (written.getSize() == 133 || written.getSize() == 141);
    p.readState (written.getData(), (int) written.getSize(), forPreset);
    for (int row = 0; row < corvane::numSynthParameters; ++row)
        check (p.getParameterValue (row) == values[row]);

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 36 + (int) (size % 60), (juce::uint8) 100), 0);
    midi.addEvent (juce::MidiMessage::noteOff (1, 36 + (int) (size % 60)), 63);
    p.processBlock (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 64; ++i)
            check (std::isfinite (buffer.getSample (ch, i)));
    return 0;
}
