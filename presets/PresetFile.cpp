#include "PresetFile.h"

#if JUCE_LINUX || JUCE_MAC || JUCE_BSD
 #include <sys/stat.h>
#endif

namespace corvane
{

bool PresetFile::checkHeader (const void* data, size_t length, int32_t legacySize, size_t& payloadOffset) noexcept
{
    payloadOffset = 0;

    if (data == nullptr || length < 4)
        return false;

    const auto* bytes = static_cast<const uint8_t*> (data);

    if (juce::ByteOrder::littleEndianInt (bytes) == magic)
    {
        if (length < headerSize + 1)
            return false;

        if ((uint64_t) juce::ByteOrder::littleEndianInt (bytes + 12) != (uint64_t) length)
            return false;

        payloadOffset = headerSize;
        return true;
    }

    return legacySize == -1 || (legacySize >= 0 && length == (size_t) legacySize);
}

bool PresetFile::stripHeader (juce::MemoryBlock& file, int32_t legacySize)
{
    size_t offset = 0;

    if (! checkHeader (file.getData(), file.getSize(), legacySize, offset))
        return false;

    if (offset > 0)
        file.removeSection (0, offset);

    return true;
}

void PresetFile::insertHeader (juce::MemoryBlock& payload, uint32_t fileVersion)
{
    uint8_t header[headerSize];
    const uint32_t words[4] = { magic, pluginCode, fileVersion, (uint32_t) (headerSize + payload.getSize()) };

    for (int i = 0; i < 4; ++i)
    {
        const auto w = juce::ByteOrder::swapIfBigEndian (words[i]);
        std::memcpy (header + 4 * i, &w, 4);
    }

    payload.insert (header, headerSize, 0);
}

bool PresetFile::readWhole (const juce::File& file, juce::MemoryBlock& destination)
{
    destination.reset();

    if (! file.existsAsFile())
        return false;

   #if JUCE_LINUX || JUCE_MAC || JUCE_BSD
    // Only regular files (through links): opening a named pipe or a device
    // would block or never end.
    struct stat info {};
    if (::stat (file.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISREG (info.st_mode))
        return false;
   #endif

    const auto size = file.getSize();
    if (size < 0 || size > maxFileSize)
        return false;

    juce::FileInputStream in (file);
    if (! in.openedOk())
        return false;

    destination.setSize ((size_t) size);
    const auto got = size > 0 ? in.read (destination.getData(), (int) size) : 0;

    if ((int64_t) got != size)
    {
        destination.reset();
        return false;
    }

    return true;
}

bool PresetFile::writeReplacing (const juce::File& target, const juce::MemoryBlock& data)
{
    const auto folder = target.getParentDirectory();
    if (! folder.isDirectory() || target.isDirectory())
        return false;

    const auto temp = folder.getNonexistentChildFile ("." + target.getFileName() + ".saving", ".tmp", false);

    bool written = false;
    {
        juce::FileOutputStream out (temp, 8192);

        if (out.openedOk())
        {
            written = out.write (data.getData(), data.getSize());
            out.flush();
            written = written && out.getStatus().wasOk();
        }
    }

    written = written && temp.getSize() == (int64_t) data.getSize();

    if (written && temp.replaceFileIn (target))
        return true;

    (void) temp.deleteFile();
    return false;
}

} // namespace corvane
