#include "PresetTestFolder.h"
#include "presets/PresetLibrary.h"

#include <gtest/gtest.h>

#include <csignal>
#if JUCE_LINUX || JUCE_MAC
 #include <sys/resource.h>
 #include <sys/stat.h>
#endif

namespace corvane
{
namespace
{

using testing::PresetTestFolder;

juce::StringArray presetNames (const PresetBank& bank)
{
    juce::StringArray names;
    for (const auto& p : bank.presets)
        names.add (p.name);
    return names;
}

juce::StringArray bankNames (const PresetLibrary& library)
{
    juce::StringArray names;
    for (const auto& b : library.banks)
        names.add (b.name);
    return names;
}

/** Every file below base that is not directly inside folder. */
juce::StringArray filesOutside (const juce::File& base, const juce::File& folder)
{
    juce::StringArray outside;
    for (const auto& f : base.findChildFiles (juce::File::findFiles, true, "*", juce::File::FollowSymlinks::no))
        if (f.getParentDirectory() != folder)
            outside.add (f.getFullPathName());
    return outside;
}

class PresetLibraryTest : public ::testing::Test
{
protected:
    PresetTestFolder dirs;

    std::unique_ptr<PresetLibrary> scanned()
    {
        auto library = std::make_unique<PresetLibrary> (dirs.roots);
        library->rescan();
        return library;
    }

    juce::File factoryPreset (const juce::String& bank, const juce::String& file, const juce::MemoryBlock& data)
    {
        return PresetTestFolder::write (dirs.factoryRoot().getChildFile (bank).getChildFile (file), data);
    }

    juce::File userPreset (const juce::String& relative, const juce::MemoryBlock& data)
    {
        return PresetTestFolder::write (dirs.userRoot().getChildFile (relative), data);
    }
};

TEST (PresetNames, DisplayNameRules)
{
    struct Case { const char* text; bool strip; const char* expected; };
    const Case cases[] = {
        { "01_Warm Pad.corvanepreset", true, "Warm Pad" },
        { "Warm Pad.corvanepreset", true, "Unknown name" },
        { "Warm Pad.corvanepreset", false, "Warm Pad" },
        { "A_B_C.corvanepreset", true, "B_C" },
        { "02_Bass", true, "Bass" },
        { "Bass", true, "Unknown name" },
        { "Lead.v2.corvanepreset", false, "Leadv2" },
        { "_Lead.corvanepreset", true, "Lead" },
        { "01__x", true, "_x" },
        { "NoDots", false, "NoDots" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (PresetLibrary::displayName (c.text, c.strip), juce::String (c.expected)) << c.text;
}

TEST (PresetNames, UserNamesAreMadeSafeForOneFolder)
{
    struct Case { juce::String typed; juce::String expected; };
    const Case cases[] = {
        { "Warm Pad", "Warm Pad" },
        { "../../x", "-..-x" },
        { "a/b", "a-b" },
        { "a\\b", "a-b" },
        { "con:", "con-" },
        { "con", "con-" },
        { "Lpt1.old", "Lpt1-.old" },
        { "what?*\"<>|", "what------" },
        { juce::String ("tab") + juce::String::charToString ('\t') + "x", "tab-x" },
        { "  .hidden. ", "hidden" },
        { juce::String::repeatedString ("x", 300), juce::String::repeatedString ("x", 128) },
        { "", "" },
        { "   ", "" },
        { "...", "" },
        { ". . .", "" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (PresetLibrary::cleanPresetName (c.typed), c.expected) << c.typed;

    // Multi-byte characters are kept but the name stays within 200 bytes of UTF-8.
    const auto wide = PresetLibrary::cleanPresetName (juce::String::repeatedString (juce::CharPointer_UTF8 ("\xe2\x82\xac"), 100));
    EXPECT_LE (wide.getNumBytesAsUTF8(), 200);
    EXPECT_EQ (wide.length(), 66);
}

TEST (PresetFolderTest, UserFolderIsCreatedAndCommonFolderOnlyFollowsAnExistingCompanyFolder)
{
    PresetTestFolder dirs;

    {
        PresetFolders folders ("Corvane", dirs.roots);
        EXPECT_EQ (folders.userFolder, dirs.roots.userData.getChildFile ("Ostrevall/Corvane"));
        EXPECT_TRUE (folders.userFolder.isDirectory());
        EXPECT_EQ (folders.commonFolder, dirs.roots.commonData.getChildFile ("Ostrevall"));
        EXPECT_FALSE (folders.commonFolder.exists()) << "the common folder is never created";
    }

    (void) dirs.roots.commonData.getChildFile ("Ostrevall").createDirectory();
    PresetFolders folders ("Corvane", dirs.roots);
    EXPECT_EQ (folders.commonFolder, dirs.roots.commonData.getChildFile ("Ostrevall/Corvane"));
    EXPECT_FALSE (folders.commonFolder.exists());
}

TEST_F (PresetLibraryTest, HeaderCheckDecidesWhichFilesAreListed)
{
    struct Case { const char* name; juce::MemoryBlock data; bool listed; };
    const auto payload = PresetTestFolder::bytes (133);
    const Case cases[] = {
        { "01_Legacy84", PresetTestFolder::bytes (84), true },
        { "02_Legacy83", PresetTestFolder::bytes (83), false },
        { "03_Legacy85", PresetTestFolder::bytes (85), false },
        { "04_Magic", PresetTestFolder::withHeader (payload), true },
        { "05_MagicOneByte", PresetTestFolder::withHeader (PresetTestFolder::bytes (1)), true },
        { "06_MagicEmpty", PresetTestFolder::withHeader ({}), false },
        { "07_MagicWrongLength", PresetTestFolder::withHeader (payload, 148), false },
        { "08_MagicLength84", PresetTestFolder::withHeader (PresetTestFolder::bytes (68), 0), false },
        { "09_Three", PresetTestFolder::bytes (3), false },
        { "10_Empty", {}, false },
    };

    juce::StringArray expected;
    for (const auto& c : cases)
    {
        factoryPreset ("01_Tests", juce::String (c.name) + ".corvanepreset", c.data);
        if (c.listed)
            expected.add (juce::String (c.name).fromFirstOccurrenceOf ("_", false, false));
    }
    factoryPreset ("01_Tests", "11_Other.txt", PresetTestFolder::bytes (84));
    (void) dirs.factoryRoot().getChildFile ("01_Tests/12_Folder.corvanepreset").createDirectory();

    auto library = scanned();
    ASSERT_EQ (library->banks.size(), 2u);
    EXPECT_EQ (presetNames (library->banks[0]), expected);

    // Checking and loading take the same rule; the header is removed from the payload.
    auto magic = library->loadPresetPayload (0, 1);
    ASSERT_NE (magic, nullptr);
    EXPECT_EQ (*magic, payload);
    auto legacy = library->loadPresetPayload (0, 0);
    ASSERT_NE (legacy, nullptr);
    EXPECT_EQ (*legacy, PresetTestFolder::bytes (84));

    const auto wrongLength = PresetTestFolder::withHeader (payload, 20);
    EXPECT_EQ (library->checkPresetData (wrongLength.getData(), (int) wrongLength.getSize()), nullptr);
    library->legacySize = -1;
    const auto odd = PresetTestFolder::bytes (85);
    EXPECT_NE (library->checkPresetData (odd.getData(), (int) odd.getSize()), nullptr);
    EXPECT_EQ (library->checkPresetData (odd.getData(), 3), nullptr);
}

TEST_F (PresetLibraryTest, HugeFilesAndPipesAreSkippedWithoutReadingThem)
{
    factoryPreset ("01_Tests", "01_Small.corvanepreset", PresetTestFolder::bytes (84));
    const auto huge = dirs.factoryRoot().getChildFile ("01_Tests/02_Huge.corvanepreset");
    {
        // A sparse file far larger than any preset, with a valid header for its length.
        juce::FileOutputStream out (huge);
        ASSERT_TRUE (out.openedOk());
        const juce::int64 size = (juce::int64) 5 << 30;
        out.writeInt (0x4F737472);
        out.writeInt (0x51766D78);
        out.writeInt (0x01000000);
        out.writeInt ((int) (uint32_t) size);
        out.flush();
        ASSERT_TRUE (out.setPosition (size - 1));
        out.writeByte (0);
    }
    ASSERT_GT (huge.getSize(), PresetFile::maxFileSize);

    auto library = scanned();
    EXPECT_EQ (presetNames (library->banks[0]), juce::StringArray ("Small"));

    juce::MemoryBlock data;
    EXPECT_FALSE (PresetFile::readWhole (huge, data));
    EXPECT_EQ (library->readPresetFile (huge), nullptr);

   #if JUCE_LINUX || JUCE_MAC
    // A named pipe would block the scan forever if it were opened.
    const auto pipe = dirs.factoryRoot().getChildFile ("01_Tests/03_Pipe.corvanepreset");
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0644), 0);
    EXPECT_EQ (presetNames (scanned()->banks[0]), juce::StringArray ("Small"));
    EXPECT_EQ (library->readPresetFile (pipe), nullptr);
    ASSERT_TRUE (pipe.deleteFile());
   #endif

    // A listed file that grows past the bound after the scan no longer loads.
    const auto small = juce::File (library->banks[0].presets[0].path);
    ASSERT_TRUE (huge.moveFileTo (small));
    EXPECT_EQ (library->loadPresetData (0, 0), nullptr);
}

TEST_F (PresetLibraryTest, PresetsSortByPathIgnoringCase)
{
    for (auto name : { "Bass.corvanepreset", "Bass 2.corvanepreset", "alpha.corvanepreset", "Zeta.corvanepreset",
                       "beta.corvanepreset", ".hidden.corvanepreset" })
        userPreset (name, PresetTestFolder::bytes (84));

    auto library = scanned();
    ASSERT_EQ (library->banks.size(), 1u);
    EXPECT_EQ (presetNames (library->banks[0]),
               juce::StringArray ("hidden", "alpha", "Bass 2", "Bass", "beta", "Zeta"));

    for (int i = 0; i < (int) library->banks[0].presets.size(); ++i)
    {
        const auto& p = library->banks[0].presets[(size_t) i];
        EXPECT_EQ (p.presetIndex, i);
        EXPECT_EQ (p.bankIndex, 0);
        EXPECT_TRUE (p.valid && p.isUser);
        EXPECT_TRUE (juce::File (p.path).existsAsFile());
    }
}

TEST_F (PresetLibraryTest, BanksComeInFactoryThenUserFolderThenUserRootOrder)
{
    EXPECT_EQ (bankNames (*scanned()), juce::StringArray ("User Presets")) << "root bank exists without its folder";
    EXPECT_FALSE (dirs.userRoot().exists()) << "the scan creates no folder";

    factoryPreset ("02_Bass", "01_Sub.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("01_Organ", "01_Chorale.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("Unprefixed", "01_X.corvanepreset", PresetTestFolder::bytes (84));
    userPreset ("03_Mine/01_First.corvanepreset", PresetTestFolder::bytes (84));
    userPreset ("03_Mine/Second.corvanepreset", PresetTestFolder::bytes (84));
    userPreset ("Loose_One.corvanepreset", PresetTestFolder::bytes (84));

    auto library = scanned();
    EXPECT_EQ (bankNames (*library), juce::StringArray ("Organ", "Bass", "Unknown name", "Mine", "User Presets"));

    for (int i = 0; i < (int) library->banks.size(); ++i)
    {
        EXPECT_EQ (library->banks[(size_t) i].index, i);
        EXPECT_EQ (library->banks[(size_t) i].isUser, i >= 3);
    }

    EXPECT_EQ (library->banks[1].relativePath, "02_Bass");
    EXPECT_EQ (library->banks[3].relativePath, "User Presets/03_Mine");
    EXPECT_EQ (library->banks[4].relativePath, "User Presets");

    // Factory and user sub-folder presets lose their prefix piece; the root keeps whole names.
    EXPECT_EQ (presetNames (library->banks[0]), juce::StringArray ("Chorale"));
    EXPECT_EQ (presetNames (library->banks[3]), juce::StringArray ("First", "Unknown name"));
    EXPECT_EQ (presetNames (library->banks[4]), juce::StringArray ("Loose_One"));

    // Re-read on its own, a user sub-folder bank keeps whole names; a factory bank still strips.
    EXPECT_TRUE (library->fillBank (3, false));
    EXPECT_EQ (presetNames (library->banks[3]), juce::StringArray ("01_First", "Second"));
    EXPECT_TRUE (library->fillBank (0, false));
    EXPECT_EQ (presetNames (library->banks[0]), juce::StringArray ("Chorale"));

    // A bank whose folder has gone keeps its list and reports false; a file in its place lists as empty.
    ASSERT_TRUE (dirs.factoryRoot().getChildFile ("02_Bass").deleteRecursively());
    EXPECT_FALSE (library->fillBank (1, false));
    EXPECT_EQ (presetNames (library->banks[1]), juce::StringArray ("Sub"));
    PresetTestFolder::write (dirs.factoryRoot().getChildFile ("02_Bass"), PresetTestFolder::bytes (84));
    EXPECT_TRUE (library->fillBank (1, false));
    EXPECT_TRUE (library->banks[1].presets.empty());
    EXPECT_FALSE (library->fillBank (99, false));
}

TEST_F (PresetLibraryTest, SelectByNameAndSetCurrent)
{
    factoryPreset ("01_Organ", "01_Chorale.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("01_Organ", "02_Chorale.corvanepreset", PresetTestFolder::bytes (84, 1));
    factoryPreset ("02_Keys", "01_Tines.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("03_Keys", "01_Reed.corvanepreset", PresetTestFolder::bytes (84));

    auto library = scanned();
    EXPECT_FALSE (library->current.valid);
    EXPECT_EQ (library->current.name, "missing preset");

    // Two presets of one name in one bank: the first in the bank's order.
    ASSERT_TRUE (library->selectByName ("Organ", "Chorale"));
    EXPECT_TRUE (library->current.valid);
    EXPECT_EQ (library->current.bankIndex, 0);
    EXPECT_EQ (library->current.presetIndex, 0);
    EXPECT_TRUE (library->current.path.endsWith ("01_Chorale.corvanepreset"));

    // A bank name shared by two banks: whichever holds the preset.
    ASSERT_TRUE (library->selectByName ("Keys", "Reed"));
    EXPECT_EQ (library->current.bankIndex, 2);

    // Names match exactly, case included; a failure keeps the other fields.
    EXPECT_FALSE (library->selectByName ("organ", "Chorale"));
    EXPECT_FALSE (library->current.valid);
    EXPECT_EQ (library->current.name, "Chorale");
    EXPECT_EQ (library->current.bankIndex, 2);
    EXPECT_EQ (library->current.presetIndex, 0);

    EXPECT_TRUE (library->setCurrent (0, 1));
    EXPECT_TRUE (library->current.valid);
    EXPECT_TRUE (library->current.path.endsWith ("02_Chorale.corvanepreset"));

    const std::pair<int, int> outOfRange[] = { { 0, 2 }, { 4, 0 }, { -1, 0 }, { 0, -1 }, { 3, 0 } };
    for (auto [b, p] : outOfRange)
    {
        EXPECT_FALSE (library->setCurrent (b, p)) << b << "," << p;
        EXPECT_EQ (library->current.presetIndex, 1);
        EXPECT_EQ (library->loadPresetData (b, p), nullptr);
    }

    // A listed file removed after the scan no longer loads.
    ASSERT_TRUE (juce::File (library->banks[1].presets[0].path).deleteFile());
    EXPECT_EQ (library->loadPresetData (1, 0), nullptr);
}

TEST_F (PresetLibraryTest, HostRecordIdentityFindsPresetByNameHashes)
{
    factoryPreset ("01_Keys", "01_Tines.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("02_Keys", "01_Reed.corvanepreset", PresetTestFolder::bytes (84));
    factoryPreset ("02_Keys", "02_Reed.corvanepreset", PresetTestFolder::bytes (84));

    auto library = scanned();
    const int keys = juce::String ("Keys").hashCode();

    // A bank whose name matches but which lacks the preset does not end the scan.
    EXPECT_TRUE (library->restoreCurrentFromHashes (keys, juce::String ("Reed").hashCode()));
    EXPECT_TRUE (library->current.valid);
    EXPECT_EQ (library->current.bankIndex, 1);
    EXPECT_EQ (library->current.presetIndex, 0);
    EXPECT_EQ (library->currentBankNameHash(), keys);

    EXPECT_FALSE (library->restoreCurrentFromHashes (keys, juce::String ("Nothing").hashCode()));
    EXPECT_FALSE (library->current.valid);

    library->current.bankIndex = 7;
    EXPECT_EQ (library->currentBankNameHash(), 0);
}

class PresetSaveTest : public PresetLibraryTest
{
protected:
    juce::MemoryBlock payload = PresetTestFolder::bytes (133, 7);
    juce::File presetsFolder() const { return dirs.userRoot(); }
};

TEST_F (PresetSaveTest, SavedPresetIsListedCurrentAndReadsBackAsWritten)
{
    userPreset ("Alpha.corvanepreset", PresetTestFolder::bytes (84));
    auto library = scanned();
    const int root = (int) library->banks.size() - 1;

    ASSERT_TRUE (library->savePreset (payload, "Warm Pad", root));

    const auto file = presetsFolder().getChildFile ("Warm Pad.corvanepreset");
    juce::MemoryBlock onDisk;
    ASSERT_TRUE (file.loadFileAsData (onDisk));
    EXPECT_EQ (onDisk, PresetTestFolder::withHeader (payload));

    EXPECT_EQ (presetNames (library->banks[(size_t) root]), juce::StringArray ("Alpha", "Warm Pad"));
    EXPECT_TRUE (library->current.valid);
    EXPECT_EQ (library->current.name, "Warm Pad");
    EXPECT_EQ (library->current.presetIndex, 1);
    EXPECT_EQ (*library->loadPresetPayload (root, 1), payload);

    // Saving over it with a shorter payload leaves no tail of the old file.
    const auto shorter = PresetTestFolder::bytes (84, 3);
    ASSERT_TRUE (library->savePreset (shorter, "Warm Pad", root));
    onDisk.reset();
    ASSERT_TRUE (file.loadFileAsData (onDisk));
    EXPECT_EQ (onDisk, PresetTestFolder::withHeader (shorter));
    EXPECT_EQ (filesOutside (dirs.base, presetsFolder()), juce::StringArray()) << "no temporary file is left";

    // A name whose file name keeps dots is made current under the name the list shows.
    ASSERT_TRUE (library->savePreset (payload, "Lead v1.2", root));
    EXPECT_EQ (library->current.name, "Lead v12");
    EXPECT_TRUE (library->current.valid);
}

TEST_F (PresetSaveTest, NameThatMatchesOnlyInCaseMakesTheFirstCaseInsensitiveMatchCurrent)
{
    userPreset ("Bass.corvanepreset", PresetTestFolder::bytes (84));
    userPreset ("Other.corvanepreset", PresetTestFolder::bytes (84));
    auto library = scanned();
    ASSERT_TRUE (library->setCurrent (0, 1));

    ASSERT_TRUE (library->savePreset (payload, "BASS", 0));

    const auto& presets = library->banks[0].presets;
    int firstMatch = -1;
    for (int i = 0; i < (int) presets.size() && firstMatch < 0; ++i)
        if (presets[(size_t) i].name.equalsIgnoreCase ("bass"))
            firstMatch = i;

    ASSERT_GE (firstMatch, 0);
    EXPECT_TRUE (library->current.valid);
    EXPECT_EQ (library->current.presetIndex, firstMatch);
    EXPECT_TRUE (library->current.name.equalsIgnoreCase ("bass"));
}

TEST_F (PresetSaveTest, NothingIsSavedIntoFactoryBanksOrWhenUserPresetsIsAFile)
{
    factoryPreset ("01_Organ", "01_Chorale.corvanepreset", PresetTestFolder::bytes (84));
    PresetTestFolder::write (presetsFolder(), PresetTestFolder::bytes (5));

    auto library = scanned();
    ASSERT_EQ (library->banks.size(), 2u);
    ASSERT_TRUE (library->setCurrent (0, 0));

    EXPECT_FALSE (library->savePreset (payload, "Mine", 0));
    EXPECT_FALSE (library->savePreset (payload, "Mine", 2));
    EXPECT_FALSE (library->savePreset (payload, "Mine", -1));

    ::testing::internal::CaptureStdout();
    EXPECT_FALSE (library->savePreset (payload, "Mine", 1));
    EXPECT_EQ (::testing::internal::GetCapturedStdout(), "Invalid path (pathname is file)\n");

    EXPECT_TRUE (presetsFolder().existsAsFile());
    EXPECT_EQ (presetsFolder().getSize(), 5);
    EXPECT_EQ (dirs.base.findChildFiles (juce::File::findFiles, true).size(), 2);
    EXPECT_TRUE (library->banks[1].presets.empty());
    EXPECT_EQ (library->current.name, "Chorale");
    EXPECT_TRUE (library->current.valid);
}

TEST_F (PresetSaveTest, UnsafeNamesNeverLeaveTheUserPresetsFolder)
{
    auto library = scanned();
    const int root = 0;

    struct Case { juce::String typed; juce::String file; };
    const Case cases[] = {
        { "../../x", "-..-x" },
        { "a/b", "a-b" },
        { "a\\c", "a-c" },
        { "con:", "con-" },
        { "/etc/passwd", "-etc-passwd" },
        { juce::String::repeatedString ("y", 300), juce::String::repeatedString ("y", 128) },
    };

    for (const auto& c : cases)
    {
        EXPECT_TRUE (library->savePreset (payload, c.typed, root)) << c.typed;
        EXPECT_TRUE (presetsFolder().getChildFile (c.file + ".corvanepreset").existsAsFile()) << c.typed;
    }

    for (auto empty : { "", "   ", "...", ". ." })
    {
        const auto before = library->current;
        EXPECT_FALSE (library->savePreset (payload, empty, root)) << empty;
        EXPECT_EQ (library->current.name, before.name);
    }

    EXPECT_EQ (filesOutside (dirs.base, presetsFolder()), juce::StringArray());
    EXPECT_EQ (presetsFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories), (int) std::size (cases));
    EXPECT_EQ (library->banks[0].presets.size(), std::size (cases));
}

#if JUCE_LINUX || JUCE_MAC
TEST_F (PresetSaveTest, FailedWriteKeepsTheOldPreset)
{
    auto library = scanned();
    ASSERT_TRUE (library->savePreset (PresetTestFolder::bytes (84, 1), "Keep", 0));
    const auto file = presetsFolder().getChildFile ("Keep.corvanepreset");
    const auto before = file.getSize();

    // Limit the size of files this process may write, so that the new, larger
    // file cannot be written completely (root is not exempt from this limit).
    rlimit old {};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 120;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);

    const bool saved = library->savePreset (PresetTestFolder::bytes (4000, 9), "Keep", 0);

    setrlimit (RLIMIT_FSIZE, &old);
    std::signal (SIGXFSZ, oldHandler);

    EXPECT_FALSE (saved);
    juce::MemoryBlock onDisk;
    ASSERT_TRUE (file.loadFileAsData (onDisk));
    EXPECT_EQ (file.getSize(), before);
    EXPECT_EQ (onDisk, PresetTestFolder::withHeader (PresetTestFolder::bytes (84, 1)));
    EXPECT_EQ (presetsFolder().getNumberOfChildFiles (juce::File::findFiles | juce::File::ignoreHiddenFiles, "*"), 1);
    EXPECT_EQ (presetsFolder().getNumberOfChildFiles (juce::File::findFiles, "*"), 1) << "no temporary file is left";
    EXPECT_EQ (library->banks[0].presets.size(), 1u);
}
#endif

} // namespace
} // namespace corvane
