#include "PresetLibrary.h"

#include <algorithm>
#include <cstdio>

namespace corvane
{

PresetLibrary::PresetLibrary (const PresetFolderRoots& roots)
    : folders ("Corvane", roots)
{
}

bool PresetLibrary::checkHeader (const void* data, size_t length, size_t& payloadOffset) const noexcept
{
    return PresetFile::checkHeader (data, length, legacySize, payloadOffset);
}

juce::String PresetLibrary::displayName (const juce::String& text, bool stripNames)
{
    juce::String result = text;

    if (stripNames)
    {
        juce::StringArray pieces;
        pieces.addTokens (result, "_", "");

        if (pieces.size() < 2)
            return unknownName;

        pieces.remove (0);
        result = pieces.joinIntoString ("_");
    }

    juce::StringArray pieces;
    pieces.addTokens (result, ".", "");

    if (pieces.size() < 2)
        return result;

    pieces.remove (pieces.size() - 1);
    return pieces.joinIntoString ("");
}

juce::String PresetLibrary::cleanPresetName (const juce::String& name)
{
    juce::String cleaned;

    for (auto p = name.getCharPointer(); ! p.isEmpty();)
    {
        const auto c = p.getAndAdvance();
        const bool refused = c < 0x20 || c == 0x7f || juce::String ("/\\:*?\"<>|").containsChar (c);
        cleaned += refused ? juce::juce_wchar ('-') : c;
    }

    const auto trimEnds = [] (juce::String s)
    {
        for (;;)
        {
            const auto t = s.trim().trimCharactersAtStart (".").trimCharactersAtEnd (".");
            if (t == s)
                return s;
            s = t;
        }
    };

    cleaned = trimEnds (cleaned);

    if (cleaned.length() > maxPresetNameLength)
        cleaned = cleaned.substring (0, maxPresetNameLength);

    while (cleaned.getNumBytesAsUTF8() > 200)
        cleaned = cleaned.dropLastCharacters (1);

    cleaned = trimEnds (cleaned);

    // Windows refuses these device names as file names, with or without an extension.
    static const juce::StringArray reserved { "CON", "PRN", "AUX", "NUL",
                                              "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9",
                                              "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9" };

    const auto base = cleaned.upToFirstOccurrenceOf (".", false, false);
    if (reserved.contains (base.trimEnd(), true))
        cleaned = base + "-" + cleaned.substring (base.length());

    return cleaned;
}

juce::Array<juce::File> PresetLibrary::listChildren (const juce::File& folder, bool wantFolders) const
{
    if (! folder.isDirectory())
        return {};

    auto children = wantFolders
                      ? folder.findChildFiles (juce::File::findDirectories, false, "*", juce::File::FollowSymlinks::yes)
                      : folder.findChildFiles (juce::File::findFiles, false, "*." + extension, juce::File::FollowSymlinks::yes);

    std::sort (children.begin(), children.end(), [] (const juce::File& a, const juce::File& b)
               { return a.getFullPathName().compareIgnoreCase (b.getFullPathName()) < 0; });

    return children;
}

void PresetLibrary::rescan()
{
    banks.clear();
    current.valid = false;
    current.name = missingPresetName;

    for (const auto& folder : listChildren (factoryRoot(), true))
    {
        PresetBank bank;
        bank.isUser = false;
        bank.name = displayName (folder.getFileName(), true);
        bank.relativePath = folder.getFileName();
        bank.index = (int32_t) banks.size();
        banks.push_back (std::move (bank));
        fillBank ((int) banks.size() - 1, false);
    }

    for (const auto& folder : listChildren (userRoot(), true))
    {
        PresetBank bank;
        bank.isUser = true;
        bank.name = displayName (folder.getFileName(), true);
        bank.relativePath = userFolderName + "/" + folder.getFileName();
        bank.index = (int32_t) banks.size();
        banks.push_back (std::move (bank));
        fillBank ((int) banks.size() - 1, true);
    }

    PresetBank root;
    root.isUser = true;
    root.name = userFolderName;
    root.relativePath = userFolderName;
    root.index = (int32_t) banks.size();
    banks.push_back (std::move (root));
    fillBank ((int) banks.size() - 1, false);
}

juce::File PresetLibrary::bankFolder (int bankIndex) const
{
    if (bankIndex < 0 || bankIndex >= (int) banks.size())
        return {};

    const auto& bank = banks[(size_t) bankIndex];
    return bank.isUser ? folders.userFolder.getChildFile (bank.relativePath)
                       : folders.commonFolder.getChildFile (factoryFolderName + "/" + bank.relativePath);
}

bool PresetLibrary::fillBank (int bankIndex, bool stripNames)
{
    if (bankIndex < 0 || bankIndex >= (int) banks.size())
        return false;

    const auto folder = bankFolder (bankIndex);
    if (! folder.exists())
        return false;

    auto& bank = banks[(size_t) bankIndex];
    bank.presets.clear();

    const bool strip = stripNames || ! bank.isUser;

    for (const auto& file : listChildren (folder, false))
    {
        juce::MemoryBlock data;
        size_t offset = 0;

        if (! PresetFile::readWhole (file, data) || ! checkHeader (data.getData(), data.getSize(), offset))
            continue;

        PresetEntry entry;
        entry.valid = true;
        entry.name = displayName (file.getFileName(), strip);
        entry.presetIndex = (int32_t) bank.presets.size();
        entry.bankIndex = bankIndex;
        entry.isUser = bank.isUser;
        entry.path = file.getFullPathName();

        if (current.valid && current.bankIndex == bankIndex && entry.name == current.name)
            current = entry;

        bank.presets.push_back (std::move (entry));
    }

    return true;
}

bool PresetLibrary::selectByName (const juce::String& bankName, const juce::String& presetName)
{
    for (const auto& bank : banks)
    {
        if (bank.name != bankName)
            continue;

        for (const auto& entry : bank.presets)
        {
            if (entry.name == presetName)
            {
                current = entry;
                return true;
            }
        }
    }

    current.valid = false;
    current.name = presetName;
    return false;
}

bool PresetLibrary::setCurrent (int bankIndex, int presetIndex)
{
    if (bankIndex < 0 || bankIndex >= (int) banks.size())
        return false;

    const auto& presets = banks[(size_t) bankIndex].presets;
    if (presetIndex < 0 || presetIndex >= (int) presets.size())
        return false;

    current = presets[(size_t) presetIndex];
    return true;
}

std::unique_ptr<juce::MemoryBlock> PresetLibrary::loadPresetData (int bankIndex, int presetIndex) const
{
    if (bankIndex < 0 || bankIndex >= (int) banks.size())
        return nullptr;

    const auto& presets = banks[(size_t) bankIndex].presets;
    if (presetIndex < 0 || presetIndex >= (int) presets.size())
        return nullptr;

    auto data = std::make_unique<juce::MemoryBlock>();
    if (! PresetFile::readWhole (juce::File (presets[(size_t) presetIndex].path), *data))
        return nullptr;

    return data;
}

std::unique_ptr<juce::MemoryBlock> PresetLibrary::checkPresetData (const void* data, int length) const
{
    if (data == nullptr || length < 0)
        return nullptr;

    auto block = std::make_unique<juce::MemoryBlock> (data, (size_t) length);
    if (! PresetFile::stripHeader (*block, legacySize))
        return nullptr;

    return block;
}

std::unique_ptr<juce::MemoryBlock> PresetLibrary::loadPresetPayload (int bankIndex, int presetIndex) const
{
    auto data = loadPresetData (bankIndex, presetIndex);
    if (data == nullptr || ! PresetFile::stripHeader (*data, legacySize))
        return nullptr;

    return data;
}

std::unique_ptr<juce::MemoryBlock> PresetLibrary::readPresetFile (const juce::File& file) const
{
    auto data = std::make_unique<juce::MemoryBlock>();
    if (! PresetFile::readWhole (file, *data) || ! PresetFile::stripHeader (*data, legacySize))
        return nullptr;

    return data;
}

bool PresetLibrary::savePreset (const juce::MemoryBlock& payload, const juce::String& name, int bankIndex)
{
    if (bankIndex < 0 || bankIndex >= (int) banks.size() || ! banks[(size_t) bankIndex].isUser)
        return false;

    const auto fileName = cleanPresetName (name);
    if (fileName.isEmpty())
        return false;

    juce::MemoryBlock block (payload);
    PresetFile::insertHeader (block, fileVersion);

    auto folder = folders.userFolder;
    bool blocked = false;

    for (const auto& piece : juce::StringArray::fromTokens (userFolderName, "/", ""))
    {
        folder = folder.getChildFile (piece);

        if (folder.existsAsFile())
        {
            std::printf ("Invalid path (pathname is file)\n");
            std::fflush (stdout);
            blocked = true;
            break;
        }

        if (! folder.exists())
            (void) folder.createDirectory();
    }

    bool written = false;

    if (! blocked)
    {
        const auto target = folder.getChildFile (fileName + "." + extension);

        // The cleaned name cannot leave the folder; this guards the rule itself.
        if (target.getParentDirectory() == folder)
            written = PresetFile::writeReplacing (target, block);
    }

    fillBank (bankIndex, false);

    // The saved file is listed under its display name (dots inside a name vanish).
    const auto listedName = displayName (fileName + "." + extension, false);
    const auto previous = current;
    bool found = false;

    for (const auto& entry : banks[(size_t) bankIndex].presets)
    {
        if (entry.name.equalsIgnoreCase (listedName))
        {
            current = entry;
            found = entry.valid;
            break;
        }
    }

    if (! found)
        current = previous;

    return written;
}

int PresetLibrary::currentBankNameHash() const
{
    if (current.bankIndex < 0 || current.bankIndex >= (int) banks.size())
        return juce::String().hashCode();

    return banks[(size_t) current.bankIndex].name.hashCode();
}

bool PresetLibrary::restoreCurrentFromHashes (int bankNameHash, int presetNameHash)
{
    for (int b = 0; b < (int) banks.size(); ++b)
    {
        if (banks[(size_t) b].name.hashCode() != bankNameHash)
            continue;

        const auto& presets = banks[(size_t) b].presets;

        for (int p = 0; p < (int) presets.size(); ++p)
        {
            if (presets[(size_t) p].name.hashCode() == presetNameHash)
            {
                if (setCurrent (b, p))
                    return true;

                current.valid = false;
                return false;
            }
        }
    }

    current.valid = false;
    return false;
}

} // namespace corvane
