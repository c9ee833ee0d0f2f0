#include "PresetTestFolder.h"
#include "engine/CorvaneAudioProcessor.h"
#include "presets/FactoryPresetWriter.h"

#include <gtest/gtest.h>

namespace corvane
{
namespace
{

using testing::PresetTestFolder;

/** A preset from source text, e.g. "Vox 1 Type = Plasma\nDrive Amount = 0.4". */
FactoryPresetSource::Preset presetFrom (const juce::String& settings)
{
    FactoryPresetSource::Bank bank;
    const auto result = FactoryPresetSource::parseBank ("01_Test", "[01_Test]\n" + settings, bank);
    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    return bank.presets.at (0);
}

std::vector<float> parameterValues (const CorvaneAudioProcessor& processor)
{
    std::vector<float> values;
    for (int row = 0; row < numSynthParameters; ++row)
        values.push_back (processor.getParameterValue (row));
    return values;
}

class PresetProcessorTest : public ::testing::Test
{
protected:
    PresetTestFolder dirs;
    PresetTestFolder scratch; // roots of processors that only make payloads

    const juce::String chorale = "Vox 1 Type = Plasma\nVox 2 Semi = 5\nVox 4 Fine Tune = -0.5\nDrive Amount = 0.4\nRelease = 3";
    const juce::String tines = "Vox 1 Type = Sine\nVox 3 Semi = -7\nChorus Mode = 3";

    juce::MemoryBlock payloadFor (const juce::String& settings)
    {
        CorvaneAudioProcessor maker (scratch.roots);
        return FactoryPresetWriter::payload (maker, presetFrom (settings));
    }

    std::vector<float> valuesFor (const juce::String& settings)
    {
        CorvaneAudioProcessor maker (scratch.roots);
        FactoryPresetWriter::apply (maker, presetFrom (settings));
        return parameterValues (maker);
    }

    void installFactoryPreset (const juce::String& relativePath, const juce::MemoryBlock& file)
    {
        PresetTestFolder::write (dirs.factoryRoot().getChildFile (relativePath), file);
    }
};

TEST_F (PresetProcessorTest, StartsWithChoraleOfOrganWhenItIsInstalled)
{
    installFactoryPreset ("01_Keys/01_Chorale.corvanepreset", PresetTestFolder::withHeader (payloadFor (tines)));
    installFactoryPreset ("02_Organ/01_Other.corvanepreset", PresetTestFolder::withHeader (payloadFor (tines)));
    installFactoryPreset ("02_Organ/02_Chorale.corvanepreset", PresetTestFolder::withHeader (payloadFor (chorale)));

    CorvaneAudioProcessor processor (dirs.roots);

    EXPECT_EQ (parameterValues (processor), valuesFor (chorale));
    const auto& current = processor.presetLibrary.current;
    EXPECT_TRUE (current.valid);
    EXPECT_EQ (current.name, "Chorale");
    EXPECT_EQ (current.bankIndex, 1);
    EXPECT_EQ (current.presetIndex, 1);
}

TEST_F (PresetProcessorTest, FallsBackToTheBuiltInRecordWithoutChorale)
{
    const auto& record = CorvaneAudioProcessor::getDefaultStateRecord();
    ASSERT_EQ (record.getSize(), 84u);

    // A legacy 84-byte Chorale is a whole preset: its rows 21 to 29 take their defaults.
    const auto legacy = juce::MemoryBlock (payloadFor (chorale).getData(), 84);

    struct Case { const char* what; const char* path; juce::MemoryBlock file; bool startsWithIt; };
    const Case cases[] = {
        { "nothing installed", nullptr, {}, false },
        { "Chorale in another bank", "01_Keys/01_Chorale.corvanepreset", PresetTestFolder::withHeader (payloadFor (chorale)), false },
        { "Chorale whose header is wrong", "01_Organ/01_Chorale.corvanepreset", PresetTestFolder::withHeader (payloadFor (chorale), 12), false },
        { "legacy Chorale", "01_Organ/01_Chorale.corvanepreset", legacy, true },
    };

    for (const auto& c : cases)
    {
        PresetTestFolder folder;
        if (c.path != nullptr)
            PresetTestFolder::write (folder.factoryRoot().getChildFile (c.path), c.file);

        CorvaneAudioProcessor processor (folder.roots);
        const auto values = parameterValues (processor);
        const auto* expectedHead = static_cast<const float*> (c.startsWithIt ? legacy.getData() : record.getData());

        for (int row = 0; row < numSynthParameters; ++row)
        {
            const float expected = row < param::vox1Semi ? juce::ByteOrder::swapIfBigEndian (expectedHead[row])
                                                         : synthParameterTable[row].defaultNormalised();
            EXPECT_EQ (values[(size_t) row], expected) << c.what << ", row " << row;
        }

        EXPECT_EQ (processor.presetLibrary.current.valid, c.startsWithIt) << c.what;
        EXPECT_EQ (processor.presetLibrary.current.name, "Chorale") << c.what;
    }
}

TEST_F (PresetProcessorTest, HostRecordsCarryAndRestoreTheCurrentPreset)
{
    installFactoryPreset ("01_Organ/01_Chorale.corvanepreset", PresetTestFolder::withHeader (payloadFor (chorale)));
    installFactoryPreset ("02_Keys/01_Tines.corvanepreset", PresetTestFolder::withHeader (payloadFor (tines)));
    installFactoryPreset ("02_Keys/02_Tines.corvanepreset", PresetTestFolder::withHeader (payloadFor (tines)));

    CorvaneAudioProcessor source (dirs.roots);
    ASSERT_TRUE (source.presetLibrary.setCurrent (1, 1)); // the second of two "Tines"
    FactoryPresetWriter::apply (source, presetFrom (tines));

    juce::MemoryBlock withPreset;
    source.getStateInformation (withPreset);
    ASSERT_EQ (withPreset.getSize(), 141u);

    juce::MemoryInputStream identity (withPreset, false);
    identity.setPosition (97);
    EXPECT_EQ (identity.readInt(), juce::String ("Keys").hashCode());
    EXPECT_EQ (identity.readInt(), juce::String ("Tines").hashCode());

    juce::MemoryBlock presetForm;
    source.writeState (presetForm, true);
    EXPECT_EQ (presetForm.getSize(), 133u) << "preset payloads never carry the identity";

    source.presetLibrary.current.valid = false;
    juce::MemoryBlock withoutPreset;
    source.getStateInformation (withoutPreset);
    ASSERT_EQ (withoutPreset.getSize(), 133u);
    EXPECT_EQ (std::memcmp (withPreset.getData(), withoutPreset.getData(), 97), 0);
    EXPECT_EQ (std::memcmp (withPreset.begin() + 105, withoutPreset.begin() + 97, 36), 0);

    // A 141-byte record restores the parameters and makes the first "Tines" of "Keys" current.
    CorvaneAudioProcessor target (dirs.roots);
    ASSERT_TRUE (target.presetLibrary.current.valid);
    target.setStateInformation (withPreset.getData(), (int) withPreset.getSize());
    EXPECT_EQ (parameterValues (target), parameterValues (source));
    EXPECT_TRUE (target.presetLibrary.current.valid);
    EXPECT_EQ (target.presetLibrary.current.bankIndex, 1);
    EXPECT_EQ (target.presetLibrary.current.presetIndex, 0);

    // A 133-byte record leaves the current preset as it was.
    ASSERT_TRUE (target.presetLibrary.setCurrent (0, 0));
    target.setStateInformation (withoutPreset.getData(), (int) withoutPreset.getSize());
    EXPECT_EQ (parameterValues (target), parameterValues (source));
    EXPECT_TRUE (target.presetLibrary.current.valid);
    EXPECT_EQ (target.presetLibrary.current.name, "Chorale");

    // Hashes that match no preset make the current preset not valid; so does a
    // library where the bank of that name lacks the preset.
    auto unknown = withPreset;
    const int nothing = juce::ByteOrder::swapIfBigEndian (juce::String ("Nothing").hashCode());
    std::memcpy (unknown.begin() + 101, &nothing, 4);
    target.setStateInformation (unknown.getData(), (int) unknown.getSize());
    EXPECT_FALSE (target.presetLibrary.current.valid);
    EXPECT_EQ (parameterValues (target), parameterValues (source));

    PresetTestFolder elsewhere;
    PresetTestFolder::write (elsewhere.factoryRoot().getChildFile ("01_Keys/01_Reed.corvanepreset"), PresetTestFolder::bytes (84));
    CorvaneAudioProcessor other (elsewhere.roots);
    ASSERT_TRUE (other.presetLibrary.setCurrent (0, 0));
    other.setStateInformation (withPreset.getData(), (int) withPreset.getSize());
    EXPECT_FALSE (other.presetLibrary.current.valid);
}

TEST (PresetFolderRootsTest, SystemRootsAreThePlatformFoldersAndTestsNeverUseThem)
{
    const auto system = PresetFolderRoots::system();
    const auto user = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    const auto common = juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory);
   #if JUCE_MAC
    EXPECT_EQ (system.userData, user.getChildFile ("Application Support"));
    EXPECT_EQ (system.commonData, common.getChildFile ("Application Support"));
   #else
    EXPECT_EQ (system.userData, user);
    EXPECT_EQ (system.commonData, common);
   #endif

    // The test program replaces the roots of processors built without their own.
    CorvaneAudioProcessor processor;
    const auto temp = juce::File::getSpecialLocation (juce::File::tempDirectory);
    EXPECT_TRUE (processor.presetLibrary.folders.userFolder.isAChildOf (temp));
    EXPECT_FALSE (processor.presetLibrary.folders.userFolder.isAChildOf (system.userData));
    EXPECT_FALSE (processor.presetLibrary.folders.commonFolder.isAChildOf (system.commonData));
}

} // namespace
} // namespace corvane
