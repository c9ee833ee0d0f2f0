#pragma once

#include "engine/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <array>
#include <vector>

namespace corvane
{

/** The readable source of the factory banks: one text file per bank, named after
    the bank's folder ("01_Organ.txt"), holding its presets:

        # comment
        [01_Chorale]
        Vox 1 Level = 0.8
        Vox 1 Type  = Sine
        Attack      = 0.02

    A section opens a preset and names its file (without the extension). Each line
    after it sets one parameter, by its display name, to a plain value in the
    parameter's own range (the value the editor shows; seconds, Hz, octaves,
    semitones). Integer parameters take whole numbers; the Vox Type rows also take
    the wave names Transistor, Tube, Plasma and Sine. Parameters a preset leaves
    out keep their table defaults. */
struct FactoryPresetSource
{
    struct Preset
    {
        juce::String fileName;                       // "01_Chorale"
        std::array<float, numSynthParameters> plain; // plain value of every row
    };

    struct Bank
    {
        juce::String folderName; // "01_Organ"
        std::vector<Preset> presets;
    };

    static constexpr const char* sourceExtension = ".txt";

    /** Parses one bank's text. Errors name the line. */
    static juce::Result parseBank (const juce::String& folderName, const juce::String& text, Bank& bank);

    /** Parses every "*.txt" in a folder, in name order. */
    static juce::Result parseFolder (const juce::File& folder, std::vector<Bank>& banks);

    /** The row of a display name, or -1. */
    static int rowForName (const juce::String& name);
};

} // namespace corvane
