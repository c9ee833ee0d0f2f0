#include "PresetTestFolder.h"
#include "engine/CorvaneAudioProcessor.h"
#include "presets/FactoryPresetWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
 #define CORVANE_TESTS_SANITIZED 1
#elif defined(__has_feature)
 #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
  #define CORVANE_TESTS_SANITIZED 1
 #endif
#endif
#ifndef CORVANE_TESTS_SANITIZED
 #define CORVANE_TESTS_SANITIZED 0
#endif

namespace corvane
{
namespace
{

using testing::PresetTestFolder;

constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;

struct RenderResult
{
    double peak = 0.0;
    bool finite = true;
    double tailPeak = 0.0; // over the last half second
};

/** How long a preset may ring after its last note-off: its release, then the
    reverb's decay time (2 + 8 x Reverb Amount seconds, the time its tail takes to
    fall by 60 dB) when the reverb is in, and a second to spare. */
double ringSeconds (const FactoryPresetSource::Preset& preset)
{
    const double amount = preset.plain[param::reverbAmount];
    return preset.plain[param::release] + (amount > 0.0 ? 2.0 + 8.0 * amount : 0.0) + 1.0;
}

/** A short phrase: a four-note chord, a rising line over a held bass, then
    silence for as long as the preset may ring. */
RenderResult renderPhrase (CorvaneAudioProcessor& processor, double ring)
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

    const auto total = (int64_t) ((1.9 + ring) * sampleRate);
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

juce::File factorySourceFolder() { return juce::File (CORVANE_FACTORY_SOURCE_DIR); }

/** The bank sources' folder names ("01_Organ", ...), one test per bank. */
std::vector<std::string> factoryBankFolders()
{
    std::vector<std::string> names;
    for (const auto& f : factorySourceFolder().findChildFiles (juce::File::findFiles, false, "*.txt"))
        names.push_back (f.getFileNameWithoutExtension().toStdString());
    std::sort (names.begin(), names.end());
    return names;
}

class FactoryBankRenderTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P (FactoryBankRenderTest, EveryPresetIsAudibleAndSane)
{
    std::vector<FactoryPresetSource::Bank> banks;
    const auto parsed = FactoryPresetSource::parseFolder (factorySourceFolder(), banks);
    ASSERT_TRUE (parsed.wasOk()) << parsed.getErrorMessage();

    const auto found = std::find_if (banks.begin(), banks.end(),
                                     [] (const auto& b) { return b.folderName.toStdString() == GetParam(); });
    ASSERT_NE (found, banks.end());
    const std::vector<FactoryPresetSource::Bank> bank { *found };

    // Build the files as the build does, then load each through the library.
    PresetTestFolder dirs;
    const auto empty = PresetFolderRoots::under (dirs.base.getChildFile ("empty"));
    {
        CorvaneAudioProcessor maker (empty);
        const auto written = FactoryPresetWriter::writeBanks (maker, bank, dirs.factoryRoot());
        ASSERT_TRUE (written.wasOk()) << written.getErrorMessage();
    }

    PresetLibrary library (dirs.roots);
    library.rescan();
    ASSERT_EQ (library.banks.size(), 2u);
    ASSERT_EQ (library.banks[0].presets.size(), bank[0].presets.size());

    // Under the sanitizers rendering is many times slower: there two presets of
    // each bank take the whole path through the checkers, and the optimised
    // build renders them all.
   #if CORVANE_TESTS_SANITIZED
    const int rendered = std::min (2, (int) bank[0].presets.size());
   #else
    const int rendered = (int) bank[0].presets.size();
   #endif

    for (int p = 0; p < rendered; ++p)
    {
        const auto& source = bank[0].presets[(size_t) p];
        const auto label = library.banks[0].name + " / " + library.banks[0].presets[(size_t) p].name;

        auto payload = library.loadPresetPayload (0, p);
        ASSERT_NE (payload, nullptr) << label;
        ASSERT_EQ (payload->getSize(), 133u) << label;

        CorvaneAudioProcessor player (empty);
        player.readState (payload->getData(), (int) payload->getSize(), true);

        const auto r = renderPhrase (player, ringSeconds (source));
        EXPECT_TRUE (r.finite) << label;
        EXPECT_GE (toDb (r.peak), -30.0) << label;
        EXPECT_LE (toDb (r.peak), -0.1) << label;
        EXPECT_LT (toDb (r.tailPeak), -80.0) << label << " still sounds after its release and reverb tail";
        std::printf ("  %-32s peak %6.1f dBFS, tail %6.1f dBFS\n", label.toRawUTF8(), toDb (r.peak), toDb (r.tailPeak));
    }
}

INSTANTIATE_TEST_SUITE_P (FactoryBanks, FactoryBankRenderTest, ::testing::ValuesIn (factoryBankFolders()),
                          [] (const auto& info) { return "Bank" + info.param; });

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
