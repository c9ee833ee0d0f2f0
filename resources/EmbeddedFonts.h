#pragma once

#include <juce_graphics/juce_graphics.h>

namespace corvane
{

/** The four embedded faces and the fonts the editor builds from them.

    Hold one through juce::SharedResourcePointer<EmbeddedFonts>: the typefaces are created
    from the embedded files once and shared by every holder. Creating it also makes the
    medium face the default sans-serif typeface of the default look-and-feel, so text drawn
    with JUCE's default font shows even on a machine without system fonts. */
class EmbeddedFonts
{
public:
    enum class Face { medium, bold, light, condensed };

    EmbeddedFonts();

    juce::Typeface::Ptr getTypeface (Face) const;
    /** A font of the face at that height, with the extra kerning factor where non-zero. */
    juce::Font makeFont (Face, float height, float extraKerning = 0.0f) const;

private:
    juce::Typeface::Ptr medium, bold, light, condensed;

public:
    // Fonts built once and shared, by use.
    const juce::Font captionFont { makeFont (Face::medium, 10.0f, 0.06f) };     // window, effects, envelope captions
    const juce::Font voxCaptionFont { makeFont (Face::medium, 8.5f, 0.06f) };   // oscillator captions
    const juce::Font adsrFont { makeFont (Face::bold, 10.0f, 0.1f) };           // "ADSR"
    const juce::Font chorusLabelFont { makeFont (Face::bold, 9.0f, 0.1f) };     // chorus knob labels
    const juce::Font rateFont { makeFont (Face::bold, 9.0f, 0.08f) };           // "RATE", mode switch labels
    const juce::Font voxNumberFont { makeFont (Face::light, 18.0f, 0.1f) };     // oscillator panel numbers
    const juce::Font presetNameFont { makeFont (Face::light, 12.0f, 0.1f) };    // preset-name display
    const juce::Font semitoneFont { makeFont (Face::condensed, 12.0f) };        // semitone stepper
    const juce::Font versionFont { makeFont (Face::condensed, 10.0f) };         // version label

private:
    JUCE_DECLARE_NON_COPYABLE (EmbeddedFonts)
};

} // namespace corvane
