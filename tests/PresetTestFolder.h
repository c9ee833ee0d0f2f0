#pragma once

#include "presets/PresetFolders.h"

#include <juce_core/juce_core.h>

namespace corvane::testing
{

/** A fresh temporary folder holding the user and common application-data roots
    of one test, removed again at the end. */
struct PresetTestFolder
{
    PresetTestFolder()
        : base (juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getNonexistentChildFile ("corvane-preset-test", "", false))
    {
        (void) base.createDirectory();
        (void) roots.userData.createDirectory();
        (void) roots.commonData.createDirectory();
    }

    ~PresetTestFolder() { (void) base.deleteRecursively(); }

    juce::File base;
    PresetFolderRoots roots = PresetFolderRoots::under (base);

    juce::File factoryRoot() const { return roots.commonData.getChildFile ("Ostrevall/Corvane/Factory Presets"); }
    juce::File userRoot() const { return roots.userData.getChildFile ("Ostrevall/Corvane/User Presets"); }

    /** Writes a file (creating its folders) of the given bytes. */
    static juce::File write (const juce::File& file, const juce::MemoryBlock& bytes)
    {
        (void) file.getParentDirectory().createDirectory();
        (void) file.replaceWithData (bytes.getData(), bytes.getSize());
        return file;
    }

    /** A legacy payload of n bytes, each its index. */
    static juce::MemoryBlock bytes (size_t n, uint8_t start = 0)
    {
        juce::MemoryBlock b (n);
        for (size_t i = 0; i < n; ++i)
            b[i] = (char) (uint8_t) (start + i);
        return b;
    }

    /** A header file image: magic, plug-in code, version, length word, payload. */
    static juce::MemoryBlock withHeader (const juce::MemoryBlock& payload, int64_t lengthWord = -1)
    {
        juce::MemoryOutputStream out;
        out.writeInt (0x4F737472);
        out.writeInt (0x51766D78);
        out.writeInt (0x01000000);
        out.writeInt ((int) (lengthWord >= 0 ? lengthWord : (int64_t) (16 + payload.getSize())));
        out.write (payload.getData(), payload.getSize());
        return out.getMemoryBlock();
    }
};

} // namespace corvane::testing
