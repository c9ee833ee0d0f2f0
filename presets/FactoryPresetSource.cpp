#include "FactoryPresetSource.h"

#include "PresetLibrary.h"

#include <algorithm>
#include <cmath>

namespace corvane
{

namespace
{
    const char* const waveNames[] = { "Transistor", "Tube", "Plasma", "Sine" };

    bool isTypeRow (int row) noexcept
    {
        return row == param::vox1Type || row == param::vox2Type || row == param::vox3Type || row == param::vox4Type;
    }

    juce::Result lineError (const juce::String& folder, int line, const juce::String& message)
    {
        return juce::Result::fail (folder + FactoryPresetSource::sourceExtension + ":" + juce::String (line) + ": " + message);
    }
}

int FactoryPresetSource::rowForName (const juce::String& name)
{
    for (int row = 0; row < numSynthParameters; ++row)
        if (name == synthParameterTable[row].name)
            return row;

    return -1;
}

juce::Result FactoryPresetSource::parseBank (const juce::String& folderName, const juce::String& text, Bank& bank)
{
    bank.folderName = folderName;
    bank.presets.clear();

    if (PresetLibrary::displayName (folderName, true) == PresetLibrary::unknownName)
        return juce::Result::fail (folderName + ": a bank folder name needs a sort prefix, as in 01_Organ");

    std::array<bool, numSynthParameters> seen {};
    const auto lines = juce::StringArray::fromLines (text);

    for (int i = 0; i < lines.size(); ++i)
    {
        const int lineNumber = i + 1;
        const auto line = lines[i].upToFirstOccurrenceOf ("#", false, false).trim();

        if (line.isEmpty())
            continue;

        if (line.startsWithChar ('['))
        {
            if (! line.endsWithChar (']'))
                return lineError (folderName, lineNumber, "a preset section must end with ]");

            Preset preset;
            preset.fileName = line.substring (1, line.length() - 1).trim();

            if (PresetLibrary::displayName (preset.fileName, true) == PresetLibrary::unknownName
                || PresetLibrary::cleanPresetName (preset.fileName) != preset.fileName)
                return lineError (folderName, lineNumber, "\"" + preset.fileName + "\" is not a preset file name with a sort prefix, as in 01_Chorale");

            for (const auto& other : bank.presets)
                if (other.fileName.equalsIgnoreCase (preset.fileName)
                    || PresetLibrary::displayName (other.fileName, true) == PresetLibrary::displayName (preset.fileName, true))
                    return lineError (folderName, lineNumber, "preset \"" + preset.fileName + "\" appears twice");

            for (int row = 0; row < numSynthParameters; ++row)
                preset.plain[(size_t) row] = synthParameterTable[row].defaultPlain();

            seen.fill (false);
            bank.presets.push_back (preset);
            continue;
        }

        if (bank.presets.empty())
            return lineError (folderName, lineNumber, "a parameter line before the first [preset] section");

        if (! line.containsChar ('='))
            return lineError (folderName, lineNumber, "expected \"Parameter Name = value\"");

        const auto name = line.upToFirstOccurrenceOf ("=", false, false).trim();
        const auto valueText = line.fromFirstOccurrenceOf ("=", false, false).trim();
        const int row = rowForName (name);

        if (row < 0)
            return lineError (folderName, lineNumber, "unknown parameter \"" + name + "\"");

        if (seen[(size_t) row])
            return lineError (folderName, lineNumber, "\"" + name + "\" is set twice in one preset");

        seen[(size_t) row] = true;
        const auto& spec = synthParameterTable[row];
        double value = 0.0;
        bool known = false;

        if (isTypeRow (row))
        {
            for (int w = 0; w < 4; ++w)
            {
                if (valueText.equalsIgnoreCase (waveNames[w]))
                {
                    value = w;
                    known = true;
                }
            }
        }

        if (! known)
        {
            const auto numeric = valueText.retainCharacters ("+-.0123456789eE");
            if (valueText.isEmpty() || numeric != valueText)
                return lineError (folderName, lineNumber, "\"" + valueText + "\" is not a number");

            value = valueText.getDoubleValue();
        }

        if (value < spec.minValue() || value > spec.maxValue())
            return lineError (folderName, lineNumber, name + " = " + valueText + " is outside " + juce::String (spec.minValue())
                                                          + " to " + juce::String (spec.maxValue()));

        if (spec.kind != ParameterKind::Float && value != std::floor (value))
            return lineError (folderName, lineNumber, name + " takes whole numbers");

        bank.presets.back().plain[(size_t) row] = (float) value;
    }

    if (bank.presets.empty())
        return juce::Result::fail (folderName + sourceExtension + ": no presets");

    return juce::Result::ok();
}

juce::Result FactoryPresetSource::parseFolder (const juce::File& folder, std::vector<Bank>& banks)
{
    banks.clear();

    auto files = folder.findChildFiles (juce::File::findFiles | juce::File::ignoreHiddenFiles, false,
                                        juce::String ("*") + sourceExtension);
    std::sort (files.begin(), files.end(), [] (const juce::File& a, const juce::File& b)
               { return a.getFileName().compareIgnoreCase (b.getFileName()) < 0; });

    if (files.isEmpty())
        return juce::Result::fail ("no bank sources (*" + juce::String (sourceExtension) + ") in " + folder.getFullPathName());

    for (const auto& file : files)
    {
        Bank bank;
        const auto result = parseBank (file.getFileNameWithoutExtension(), file.loadFileAsString(), bank);
        if (result.failed())
            return result;

        for (const auto& other : banks)
            if (PresetLibrary::displayName (other.folderName, true) == PresetLibrary::displayName (bank.folderName, true))
                return juce::Result::fail (bank.folderName + ": a second bank with the name of " + other.folderName);

        banks.push_back (std::move (bank));
    }

    return juce::Result::ok();
}

} // namespace corvane
