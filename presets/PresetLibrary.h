#pragma once

#include "PresetBank.h"
#include "PresetFile.h"
#include "PresetFolders.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <vector>

namespace corvane
{

/** The one object that touches preset files: it knows the two preset folders,
    scans them into an ordered list of banks, keeps the current-preset record,
    reads and checks preset files and writes user presets.

    It takes no lock. The processor's state calls read and set `current` from the
    host's thread; everything else runs on the message thread. */
class PresetLibrary
{
public:
    /** Forms the folders (creating the user folder if needed) but does not scan:
        the owner sets the constants below and then calls rescan(). */
    explicit PresetLibrary (const PresetFolderRoots& roots = PresetFolderRoots::system());

    uint32_t fileVersion = PresetFile::defaultFileVersion;
    juce::String extension { "corvanepreset" };
    int32_t legacySize = PresetFile::defaultLegacySize;
    PresetEntry current;
    std::vector<PresetBank> banks;
    PresetFolders folders;
    const juce::String factoryFolderName { "Factory Presets" };
    const juce::String userFolderName { "User Presets" };

    static constexpr const char* unknownName = "Unknown name";
    static constexpr const char* missingPresetName = "missing preset";
    static constexpr const char* startupBankName = "Organ";
    static constexpr const char* startupPresetName = "Chorale";

    /** Longest preset name, in characters, that savePreset uses for a file name. */
    static constexpr int maxPresetNameLength = 128;

    /** Rebuilds the bank list from disk: factory banks, user sub-folder banks and
        the user root bank (always last, even without its folder). Resets current. */
    void rescan();

    /** Re-reads the preset files of one bank; false if its folder does not exist. */
    bool fillBank (int bankIndex, bool stripNames);

    /** Makes the first preset named presetName in a bank named bankName current.
        On failure current becomes invalid and takes presetName as its name. */
    bool selectByName (const juce::String& bankName, const juce::String& presetName);

    /** Makes a listed preset current without loading it; false if out of range. */
    bool setCurrent (int bankIndex, int presetIndex);

    /** The listed preset's file as read, unchecked; null on any failure. */
    std::unique_ptr<juce::MemoryBlock> loadPresetData (int bankIndex, int presetIndex) const;

    /** A copy of a preset file image with its header removed, or null if it fails
        the header check. */
    std::unique_ptr<juce::MemoryBlock> checkPresetData (const void* data, int length) const;

    /** loadPresetData followed by the header check: the payload, or null. */
    std::unique_ptr<juce::MemoryBlock> loadPresetPayload (int bankIndex, int presetIndex) const;

    /** Reads any preset file (import, the renderer) through the same guards and
        check as the scan: the payload, or null. */
    std::unique_ptr<juce::MemoryBlock> readPresetFile (const juce::File& file) const;

    /** Writes payload as a user preset into the "User Presets" folder, re-reads
        bank bankIndex and makes the saved preset current. The name is first made
        safe with cleanPresetName; nothing is written for a name that is empty
        after cleaning, for a factory bank or an index out of range, or when
        "User Presets" exists as a file. Returns true if the file was written. */
    bool savePreset (const juce::MemoryBlock& payload, const juce::String& name, int bankIndex);

    /** The header rule with this library's legacy size. */
    bool checkHeader (const void* data, size_t length, size_t& payloadOffset) const noexcept;

    /** The name shown for a file or folder name: with stripNames the first
        "_"-separated piece (a sort prefix) is dropped ("Unknown name" when there is
        no "_"), then the extension is dropped and any other dots vanish. */
    static juce::String displayName (const juce::String& text, bool stripNames);

    /** A user-typed preset name made safe to use as a file name in one folder:
        characters that file systems refuse or that separate paths
        (/ \ : * ? " < > | and control characters) become "-", blanks and dots are
        trimmed from both ends, the name is cut to maxPresetNameLength characters
        (and at most 200 bytes of UTF-8), and a reserved device name such as "con"
        or "lpt1" gets a "-" after it. May return an empty string. */
    static juce::String cleanPresetName (const juce::String& name);

    /** The folders the banks are read from. */
    juce::File factoryRoot() const { return folders.commonFolder.getChildFile (factoryFolderName); }
    juce::File userRoot() const { return folders.userFolder.getChildFile (userFolderName); }

    /** The folder of a bank, or a non-existent file when the index is out of range. */
    juce::File bankFolder (int bankIndex) const;

    /** Name hash of the current preset's bank (0, the empty name's hash, when its
        index is out of range), as stored in host records. */
    int currentBankNameHash() const;

    /** The host-record restore: makes current the first preset, scanning banks in
        order, whose bank name and own name have these hashes; otherwise marks
        current invalid. */
    bool restoreCurrentFromHashes (int bankNameHash, int presetNameHash);

private:
    juce::Array<juce::File> listChildren (const juce::File& folder, bool folders) const;
};

} // namespace corvane
