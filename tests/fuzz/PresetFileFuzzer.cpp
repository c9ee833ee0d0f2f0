// Fuzzes the preset-file check with arbitrary file images. A payload it lets
// through must lie within the file, and applied as a preset it must leave every
// parameter finite in 0..1 and a rendered block finite.

#include "engine/CorvaneAudioProcessor.h"
#include "presets/PresetLibrary.h"

#include <juce_events/juce_events.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
    corvane::CorvaneAudioProcessor* processor = nullptr;
    corvane::PresetLibrary* library = nullptr;

    void check (bool condition)
    {
        if (! condition)
            std::abort();
    }
}

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // Released when the fuzzer exits, before the framework's leak detectors take stock.
    static juce::ScopedJuceInitialiser_GUI* juceEnvironment = new juce::ScopedJuceInitialiser_GUI();
    static const juce::File folder = juce::File::createTempFile ("corvane-fuzz-presets");
    folder.createDirectory();
    library = new corvane::PresetLibrary (corvane::PresetFolderRoots::under (folder));
    processor = new corvane::CorvaneAudioProcessor();
    processor->setPlayConfigDetails (0, 2, 48000.0, 64);
    processor->prepareToPlay (48000.0, 64);
    std::atexit ([]
    {
        delete processor;
        delete library;
        folder.deleteRecursively();
        delete juceEnvironment;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const auto payload = library->checkPresetData (data, (int) size);
    if (payload == nullptr)
        return 0;

    check (payload->getSize() <= size);
    auto& p = *processor;
    p.readState (payload->getData(), (int) payload->getSize(), true);
    for (int row = 0; row < corvane::numSynthParameters; ++row)
    {
        const float v = p.getParameterValue (row);
        check (std::isfinite (v) && v >= 0.0f && v <= 1.0f);
    }

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
    midi.addEvent (juce::MidiMessage::noteOff (1, 60), 63);
    p.processBlock (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 64; ++i)
            check (std::isfinite (buffer.getSample (ch, i)));
    return 0;
}
