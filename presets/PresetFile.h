#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <cstdint>

namespace corvane
{

/** The preset file format and the guarded file access every preset reader and
    writer goes through.

    A preset file is a 16-byte header followed by the payload (the preset form of
    the state record), all integers little-endian:
        0  'Ostr' as a 32-bit word (bytes "rtsO")
        4  'Qvmx' as a 32-bit word (bytes "xmvQ")
        8  file version
        12 total file length (16 + payload length)
    A header-less (legacy) file is a bare payload of exactly the legacy size. */
struct PresetFile
{
    static constexpr uint32_t magic = 0x4F737472;      // 'Ostr'
    static constexpr uint32_t pluginCode = 0x51766D78; // 'Qvmx'
    static constexpr uint32_t defaultFileVersion = 0x01000000;
    static constexpr int32_t defaultLegacySize = 84;
    static constexpr size_t headerSize = 16;

    /** No real preset comes anywhere near this; larger files are not read at all,
        so a stray huge file cannot stall a scan or overflow a length. */
    static constexpr int64_t maxFileSize = 1 << 20;

    /** The header rule. On success payloadOffset is 16 for a file with the magic
        word and 0 for a legacy file; legacySize -1 accepts a header-less file of
        any length. Bytes 4 to 11 are not looked at. */
    static bool checkHeader (const void* data, size_t length, int32_t legacySize, size_t& payloadOffset) noexcept;

    /** Applies checkHeader to a whole file image and removes its header in place.
        Returns false (leaving the block as it was) when the check fails. */
    static bool stripHeader (juce::MemoryBlock& file, int32_t legacySize);

    /** Puts the 16-byte header in front of a payload. */
    static void insertHeader (juce::MemoryBlock& payload, uint32_t fileVersion);

    /** Reads a preset file whole: it must exist, be a regular file (not a pipe
        or device), be no larger than maxFileSize, open, and yield exactly its length. */
    static bool readWhole (const juce::File& file, juce::MemoryBlock& destination);

    /** Writes data to target through a temporary file in the same folder which
        replaces the target only once it has been written and flushed completely,
        so a failed write never costs the old file. The temporary file's name
        starts with a dot and does not carry the preset extension, so a scan
        never lists a leftover one. */
    static bool writeReplacing (const juce::File& target, const juce::MemoryBlock& data);
};

} // namespace corvane
