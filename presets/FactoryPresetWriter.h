#pragma once

#include "FactoryPresetSource.h"

#include <juce_core/juce_core.h>

namespace corvane
{

class CorvaneAudioProcessor;

/** Turns factory preset sources into preset files through the processor itself:
    each preset's plain values are set on the processor's parameters, the payload
    is the processor's own preset record (writeState with forPreset = true), and
    the file gets the library's header, exactly as a user preset save writes it. */
struct FactoryPresetWriter
{
    /** Sets every parameter of the processor to the preset's plain values. */
    static void apply (CorvaneAudioProcessor& processor, const FactoryPresetSource::Preset& preset);

    /** The preset's state record, as writeState writes it for a preset. */
    static juce::MemoryBlock payload (CorvaneAudioProcessor& processor, const FactoryPresetSource::Preset& preset);

    /** Writes factoryRoot/<bank folder>/<preset>.corvanepreset for every preset,
        after removing what factoryRoot held before. */
    static juce::Result writeBanks (CorvaneAudioProcessor& processor,
                                    const std::vector<FactoryPresetSource::Bank>& banks,
                                    const juce::File& factoryRoot);
};

} // namespace corvane
