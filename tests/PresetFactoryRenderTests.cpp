#include "PresetTestFolder.h"
#include "engine/CorvaneAudioProcessor.h"
#include "presets/FactoryPresetWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane
{
namespace
{

using testing::PresetTestFolder;

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

struct RenderResult
{
    double peak = 0.0;
    bool finite = true;
    double tailPeak = 0.0; // over the last half second
};

/** A short phrase: a four-note chord, a rising line over a held bass, then
    silence long enough for the release and the reverb to die away. */
RenderResult renderPhrase (CorvaneAudioProcessor& processor, double releaseSeconds)
{
    processor.prepareToPlay (sampleRate, blockSize);

    struct Event { double time; int note; bool on; };
    const Event events[] = {
        { 0.00, 48, true }, { 0.00, 60, true }, { 0.00, 64, true }, { 0.00, 67, true },
        { 0.70, 60, false }, { 0.70, 64, false }, { 0.70, 67, false },
        { 0.75, 72, true }, { 1.00, 72, false }, { 1.00, 74, true }, { 1.25, 74, false },
        { 1.25, 76, true }, { 1.50, 76, false }, { 1.50, 79, true }, { 1.90, 79, false },
        { 1.90, 48, false },
    };

    const double end = 1.9 + releaseSeconds + 4.0;
    const auto total = (int64_t) (end * sampleRate);
    const auto tailStart = total - (int64_t) (0.5 * sampleRate);

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    RenderResult result;
    size_t next = 0;

    for (int64_t pos = 0; pos < total; pos += blockSize)
    {
        const int n = (int) std::min<int64_t> (blockSize, total - pos);
        buffer.setSize (2, n, false, false, true);
        buffer.clear();
        midi.clear();

        while (next < std::size (events) && (int64_t) (events[next].time * sampleRate) < pos + n)
        {
            const auto& e = events[next++];
            const int at = (int) std::max<int64_t> (0, (int64_t) (e.time * sampleRate) - pos);
            midi.addEvent (e.on ? juce::MidiMessage::noteOn (1, e.note, (juce::uint8) 100)
                                : juce::MidiMessage::noteOff (1, e.note), at);
        }

        processor.processBlock (buffer, midi);

        for (int ch = 0; ch < 2; ++ch)
        {
            const float* d = buffer.getReadPointer (ch);
            for (int i = 0; i < n; ++i)
            {
                const double a = std::abs ((double) d[i]);
                result.finite = result.finite && std::isfinite (d[i]);
                result.peak = std::max (result.peak, a);
                if (pos + i >= tailStart)
                    result.tailPeak = std::max (result.tailPeak, a);
            }
        }
    }

    return result;
}

double toDb (double gain) { return gain > 0.0 ? 20.0 * std::log10 (gain) : -999.0; }

TEST (FactoryPresetRenderTest, EveryFactoryPresetIsAudibleAndSane)
{
    std::vector<FactoryPresetSource::Bank> banks;
    const auto parsed = FactoryPresetSource::parseFolder (juce::File (CORVANE_FACTORY_SOURCE_DIR), banks);
    ASSERT_TRUE (parsed.wasOk()) << parsed.getErrorMessage();

    // Build the files as the build does, then load each through the library.
    PresetTestFolder dirs;
    {
        CorvaneAudioProcessor maker (PresetFolderRoots::under (dirs.base.getChildFile ("empty")));
        const auto written = FactoryPresetWriter::writeBanks (maker, banks, dirs.factoryRoot());
        ASSERT_TRUE (written.wasOk()) << written.getErrorMessage();
    }

    CorvaneAudioProcessor processor (dirs.roots);
    const auto& library = processor.presetLibrary;
    ASSERT_EQ (library.banks.size(), banks.size() + 1);
    EXPECT_TRUE (library.current.valid) << "the start-up preset comes from the built banks";

    for (int b = 0; b < (int) banks.size(); ++b)
    {
        ASSERT_EQ (library.banks[(size_t) b].presets.size(), banks[(size_t) b].presets.size());

        for (int p = 0; p < (int) banks[(size_t) b].presets.size(); ++p)
        {
            const auto& source = banks[(size_t) b].presets[(size_t) p];
            const auto label = library.banks[(size_t) b].name + " / " + library.banks[(size_t) b].presets[(size_t) p].name;

            auto payload = library.loadPresetPayload (b, p);
            ASSERT_NE (payload, nullptr) << label;
            ASSERT_EQ (payload->getSize(), 133u) << label;

            CorvaneAudioProcessor player (PresetFolderRoots::under (dirs.base.getChildFile ("empty")));
            player.readState (payload->getData(), (int) payload->getSize(), true);

            const auto r = renderPhrase (player, source.plain[param::release]);
            EXPECT_TRUE (r.finite) << label;
            EXPECT_GE (toDb (r.peak), -30.0) << label;
            EXPECT_LE (toDb (r.peak), -0.1) << label;
            EXPECT_LT (toDb (r.tailPeak), -80.0) << label << " still sounds after its release";
            std::printf ("  %-32s peak %6.1f dBFS, tail %6.1f dBFS\n", label.toRawUTF8(), toDb (r.peak), toDb (r.tailPeak));
        }
    }
}

TEST (FactoryPresetRenderTest, BuiltFilesAreWhatASaveWrites)
{
    PresetTestFolder dirs;
    CorvaneAudioProcessor processor (dirs.roots);
    const auto preset = [] {
        FactoryPresetSource::Bank bank;
        (void) FactoryPresetSource::parseBank ("01_Organ", "[01_Chorale]\nVox 2 Type = Tube\nVox 3 Semi = 4\nDrive Amount = 0.3", bank);
        return bank.presets.at (0);
    }();

    const auto written = FactoryPresetWriter::writeBanks (processor, { { "01_Organ", { preset } } }, dirs.factoryRoot());
    ASSERT_TRUE (written.wasOk()) << written.getErrorMessage();

    auto& library = processor.presetLibrary;
    library.rescan();
    ASSERT_TRUE (library.savePreset (FactoryPresetWriter::payload (processor, preset), "Chorale", (int) library.banks.size() - 1));

    juce::MemoryBlock built, saved;
    ASSERT_TRUE (dirs.factoryRoot().getChildFile ("01_Organ/01_Chorale.corvanepreset").loadFileAsData (built));
    ASSERT_TRUE (dirs.userRoot().getChildFile ("Chorale.corvanepreset").loadFileAsData (saved));
    EXPECT_EQ (built.getSize(), 149u);
    EXPECT_EQ (built, saved);
}

} // namespace
} // namespace corvane
