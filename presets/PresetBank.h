#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace corvane
{

/** One listed preset; also the type of the library's current-preset record,
    where valid == false means that no listed preset is current (its name is
    still shown). */
struct PresetEntry
{
    bool valid = false;
    juce::String name;
    int32_t presetIndex = 0;
    int32_t bankIndex = 0;
    bool isUser = false;
    juce::String path;
};

/** One folder of presets (a "category" in the preset manager). */
struct PresetBank
{
    bool isUser = false;
    juce::String name;
    juce::String relativePath;
    int32_t index = 0;
    std::vector<PresetEntry> presets;
};

} // namespace corvane
