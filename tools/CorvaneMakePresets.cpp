// corvane-make-presets: builds the factory preset files from their text sources.
//
//   corvane-make-presets SOURCE_DIR OUTPUT_DIR
//
// Reads SOURCE_DIR/*.txt (one bank each) and writes
// OUTPUT_DIR/Factory Presets/<bank>/<preset>.corvanepreset through the
// processor's own state record and the preset file format.

#include "engine/CorvaneAudioProcessor.h"
#include "presets/FactoryPresetSource.h"
#include "presets/FactoryPresetWriter.h"

#include <juce_events/juce_events.h>

#include <cstdio>

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf (stderr, "usage: corvane-make-presets SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto sourceDir = cwd.getChildFile (juce::String::fromUTF8 (argv[1]));
    const auto outputDir = cwd.getChildFile (juce::String::fromUTF8 (argv[2]));

    std::vector<corvane::FactoryPresetSource::Bank> banks;
    if (const auto parsed = corvane::FactoryPresetSource::parseFolder (sourceDir, banks); parsed.failed())
    {
        std::fprintf (stderr, "corvane-make-presets: %s\n", parsed.getErrorMessage().toRawUTF8());
        return 1;
    }

    // The processor reads its presets from an empty scratch folder, so the
    // machine's installed presets play no part in what is built.
    const auto scratch = juce::File::getSpecialLocation (juce::File::tempDirectory)
                             .getNonexistentChildFile ("corvane-make-presets", "", false);
    (void) scratch.createDirectory();
    int presets = 0;
    juce::Result written = juce::Result::ok();
    {
        corvane::CorvaneAudioProcessor processor (corvane::PresetFolderRoots::under (scratch));
        written = corvane::FactoryPresetWriter::writeBanks (processor, banks,
                                                            outputDir.getChildFile (processor.presetLibrary.factoryFolderName));
    }
    (void) scratch.deleteRecursively();

    if (written.failed())
    {
        std::fprintf (stderr, "corvane-make-presets: %s\n", written.getErrorMessage().toRawUTF8());
        return 1;
    }

    for (const auto& bank : banks)
        presets += (int) bank.presets.size();

    std::printf ("corvane-make-presets: %d presets in %d banks written to %s\n", presets, (int) banks.size(),
                 outputDir.getChildFile ("Factory Presets").getFullPathName().toRawUTF8());
    return 0;
}
