#pragma once

#include <functional>
#include <map>
#include <string>

#include <juce_graphics/juce_graphics.h>

namespace corvane::art
{

/** Draws one picture of the given pixel size. */
using Painter = std::function<juce::Image (int pixelWidth, int pixelHeight)>;

/** Adds the painters of one group of pictures, keyed on the file stem. */
void addPanelPainters (std::map<std::string, Painter>&);
void addControlPainters (std::map<std::string, Painter>&);
void addPresetPainters (std::map<std::string, Painter>&);

} // namespace corvane::art
