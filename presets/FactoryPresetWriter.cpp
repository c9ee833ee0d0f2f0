#include "FactoryPresetWriter.h"

#include "PresetFile.h"
#include "engine/CorvaneAudioProcessor.h"

namespace corvane
{

void FactoryPresetWriter::apply (CorvaneAudioProcessor& processor, const FactoryPresetSource::Preset& preset)
{
    for (int row = 0; row < numSynthParameters; ++row)
    {
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (processor.getParameterAt (row));
        jassert (parameter != nullptr);

        if (parameter != nullptr)
            parameter->setValueNotifyingHost (parameter->convertTo0to1 (preset.plain[(size_t) row]));
    }
}

juce::MemoryBlock FactoryPresetWriter::payload (CorvaneAudioProcessor& processor, const FactoryPresetSource::Preset& preset)
{
    apply (processor, preset);

    juce::MemoryBlock block;
    processor.writeState (block, true);
    return block;
}

juce::Result FactoryPresetWriter::writeBanks (CorvaneAudioProcessor& processor,
                                              const std::vector<FactoryPresetSource::Bank>& banks,
                                              const juce::File& factoryRoot)
{
    if (factoryRoot.exists() && ! factoryRoot.deleteRecursively())
        return juce::Result::fail ("cannot clear " + factoryRoot.getFullPathName());

    const auto& library = processor.presetLibrary;

    for (const auto& bank : banks)
    {
        const auto folder = factoryRoot.getChildFile (bank.folderName);
        const auto created = folder.createDirectory();
        if (created.failed())
            return juce::Result::fail ("cannot create " + folder.getFullPathName() + ": " + created.getErrorMessage());

        for (const auto& preset : bank.presets)
        {
            auto file = payload (processor, preset);
            PresetFile::insertHeader (file, library.fileVersion);

            const auto target = folder.getChildFile (preset.fileName + "." + library.extension);
            if (! PresetFile::writeReplacing (target, file))
                return juce::Result::fail ("cannot write " + target.getFullPathName());
        }
    }

    return juce::Result::ok();
}

} // namespace corvane
