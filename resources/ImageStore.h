#pragma once

#include <juce_graphics/juce_graphics.h>

namespace corvane
{

/** The picture called name, from the embedded resource name + "2x_png", decoded once and
    shared through juce::ImageCache. An unknown name gives an invalid image. */
juce::Image loadImage (const juce::String& name);

/** A picture decoded straight from the embedded resource of that exact name (for example
    "bg_envelope_png"); invalid when there is no such resource. */
juce::Image loadResourceImage (const char* resourceName);

/** Raw bytes of an embedded resource, or null (and size 0) when there is none. */
const char* getResourceData (const char* resourceName, int& size);

// Resource names of the pictures that are decoded directly.
namespace resourcenames
{
    inline constexpr const char* envelopeBackground = "bg_envelope_png";
    inline constexpr const char* envelopeTitle = "envelope_title_png";
    inline constexpr const char* previousNormal = "preset_prev_normal_png";
    inline constexpr const char* previousPressed = "preset_prev_pressed_png";
    inline constexpr const char* previousDisabled = "preset_prev_disabled_png";
    inline constexpr const char* nextNormal = "preset_next_normal_png";
    inline constexpr const char* nextPressed = "preset_next_pressed_png";
    inline constexpr const char* nextDisabled = "preset_next_disabled_png";
}

} // namespace corvane
