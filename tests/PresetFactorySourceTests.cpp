#include "presets/FactoryPresetSource.h"
#include "presets/PresetLibrary.h"

#include <gtest/gtest.h>

#include <set>

#ifndef CORVANE_FACTORY_SOURCE_DIR
 #error "CORVANE_FACTORY_SOURCE_DIR must name the factory preset source folder"
#endif

namespace corvane
{
namespace
{

TEST (FactoryPresetSourceTest, ParsesPlainValuesByNameAndDefaultsTheRest)
{
    FactoryPresetSource::Bank bank;
    const auto result = FactoryPresetSource::parseBank ("01_Organ", R"(
# a comment
[01_Chorale]
Vox 1 Type = Sine      # wave by name
Vox 2 Type = 2
Vox 1 Octave = -1
Vox 3 Semi = -11
Vox 4 Fine Tune = 0.25
Attack = 0.01
Output Level = 1.5

[02_Second]
)", bank);

    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    ASSERT_EQ (bank.presets.size(), 2u);
    const auto& p = bank.presets[0].plain;
    EXPECT_EQ (bank.presets[0].fileName, "01_Chorale");
    EXPECT_EQ (p[param::vox1Type], 3.0f);
    EXPECT_EQ (p[param::vox2Type], 2.0f);
    EXPECT_EQ (p[param::vox1Octave], -1.0f);
    EXPECT_EQ (p[param::vox3Semi], -11.0f);
    EXPECT_EQ (p[param::vox4FineTune], 0.25f);
    EXPECT_EQ (p[param::attack], 0.01f);
    EXPECT_EQ (p[param::outputLevel], 1.5f);
    EXPECT_EQ (p[param::decay], synthParameterTable[param::decay].defaultPlain());

    for (int row = 0; row < numSynthParameters; ++row)
        EXPECT_EQ (bank.presets[1].plain[(size_t) row], synthParameterTable[row].defaultPlain()) << row;
}

TEST (FactoryPresetSourceTest, RejectsMistakesWithTheirLine)
{
    struct Case { const char* folder; const char* text; const char* expectedPart; };
    const Case cases[] = {
        { "01_Bank", "[01_A]\nVox 9 Level = 1", ":2: unknown parameter" },
        { "01_Bank", "[01_A]\nAttack = 3", "outside" },
        { "01_Bank", "[01_A]\nAttack = 0.001", "outside" },
        { "01_Bank", "[01_A]\nVox 1 Octave = 0.5", "whole numbers" },
        { "01_Bank", "[01_A]\nVox 1 Type = Square", "not a number" },
        { "01_Bank", "[01_A]\nSustain = ", "not a number" },
        { "01_Bank", "[01_A]\nSustain = 0.5\nSustain = 0.6", ":3: \"Sustain\" is set twice" },
        { "01_Bank", "[01_A]\nSustain 0.5", "expected" },
        { "01_Bank", "Sustain = 0.5\n[01_A]", ":1: a parameter line before" },
        { "01_Bank", "[01_A]\n[02_A]", "appears twice" },
        { "01_Bank", "[01_A]\n[01_a]", "appears twice" },
        { "01_Bank", "[NoPrefix]", "sort prefix" },
        { "01_Bank", "[01_a/b]", "sort prefix" },
        { "01_Bank", "[01_A", "must end with ]" },
        { "01_Bank", "# nothing", "no presets" },
        { "Organ", "[01_A]", "sort prefix" },
    };

    for (const auto& c : cases)
    {
        FactoryPresetSource::Bank bank;
        const auto result = FactoryPresetSource::parseBank (c.folder, c.text, bank);
        EXPECT_TRUE (result.failed()) << c.text;
        EXPECT_TRUE (result.getErrorMessage().contains (c.expectedPart)) << c.text << " -> " << result.getErrorMessage();
    }
}

TEST (FactoryPresetSourceTest, FactoryBanksCoverTheInstrument)
{
    std::vector<FactoryPresetSource::Bank> banks;
    const auto result = FactoryPresetSource::parseFolder (juce::File (CORVANE_FACTORY_SOURCE_DIR), banks);
    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();

    ASSERT_GE (banks.size(), 6u);
    EXPECT_EQ (banks[0].folderName, "01_Organ");
    ASSERT_FALSE (banks[0].presets.empty());
    EXPECT_EQ (banks[0].presets[0].fileName, "01_Chorale");

    std::set<int> waves, octaves, chorusModes, phaserModes;
    bool semis = false, fines = false, drive = false, reverb = false, shortAttack = false, longAttack = false;

    for (const auto& bank : banks)
    {
        EXPECT_GE (bank.presets.size(), 6u) << bank.folderName;

        for (const auto& preset : bank.presets)
        {
            const auto& p = preset.plain;
            for (int vox = 0; vox < 4; ++vox)
            {
                if (p[(size_t) param::level (vox)] <= 0.0f)
                    continue;
                waves.insert ((int) p[(size_t) param::type (vox)]);
                octaves.insert ((int) p[(size_t) param::octave (vox)]);
                semis = semis || p[(size_t) param::semi (vox)] != 0.0f;
                fines = fines || p[(size_t) param::fineTune (vox)] != 0.0f;
            }
            chorusModes.insert ((int) p[param::chorusMode]);
            phaserModes.insert ((int) p[param::phaserMode]);
            drive = drive || p[param::driveAmount] > 0.0f;
            reverb = reverb || p[param::reverbAmount] > 0.0f;
            shortAttack = shortAttack || p[param::attack] <= 0.02f;
            longAttack = longAttack || p[param::attack] >= 1.0f;
        }
    }

    EXPECT_EQ (waves, (std::set<int> { 0, 1, 2, 3 }));
    EXPECT_EQ (octaves, (std::set<int> { -1, 0, 1, 2 }));
    EXPECT_EQ (chorusModes, (std::set<int> { 0, 1, 2, 3 }));
    EXPECT_EQ (phaserModes, (std::set<int> { 0, 1, 2 }));
    EXPECT_TRUE (semis && fines && drive && reverb && shortAttack && longAttack);
}

} // namespace
} // namespace corvane
