#include "EmbeddedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include "ImageStore.h"

namespace corvane
{

namespace
{
    juce::Typeface::Ptr createFace (const char* resourceName)
    {
        int size = 0;
        const char* data = getResourceData (resourceName, size);
        if (data == nullptr || size <= 0)
            return {};
        return juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
    }
}

EmbeddedFonts::EmbeddedFonts()
    : medium (createFace ("QuicksandMedium_ttf")),
      bold (createFace ("QuicksandBold_ttf")),
      light (createFace ("QuicksandLight_ttf")),
      condensed (createFace ("RobotoCondensedRegular_ttf"))
{
    if (medium != nullptr)
    {
        juce::LookAndFeel::getDefaultLookAndFeel().setDefaultSansSerifTypeface (medium);
        juce::Typeface::clearTypefaceCache();
    }
}

juce::Typeface::Ptr EmbeddedFonts::getTypeface (Face face) const
{
    switch (face)
    {
        case Face::medium: return medium;
        case Face::bold: return bold;
        case Face::light: return light;
        case Face::condensed: return condensed;
    }
    return medium;
}

juce::Font EmbeddedFonts::makeFont (Face face, float height, float extraKerning) const
{
    auto typeface = getTypeface (face);
    juce::Font font = typeface != nullptr ? juce::Font (typeface) : juce::Font();
    font = font.withHeight (height);
    if (extraKerning != 0.0f)
        font = font.withExtraKerningFactor (extraKerning);
    return font;
}

} // namespace corvane
