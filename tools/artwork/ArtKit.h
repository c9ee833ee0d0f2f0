#pragma once

#include <juce_graphics/juce_graphics.h>

// Drawing helpers for the artwork generator. Every picture is drawn in its drawn units
// (half its pixel size) through a 2x transform, so outlines are vector-sharp at double
// pixel density; shadows are blurred in pixel space for the same reason.

namespace corvane::art
{

struct Faces
{
    juce::Typeface::Ptr medium, bold, light, condensed;
};

const Faces& faces();
void setFaces (Faces);

juce::Font fontOf (const juce::Typeface::Ptr& face, float height, float kerning = 0.0f);

/** A transparent picture of pw x ph pixels with a Graphics that draws in half-size units. */
struct Canvas
{
    Canvas (int pixelWidth, int pixelHeight);

    float width() const { return (float) image.getWidth() * 0.5f; }
    float height() const { return (float) image.getHeight() * 0.5f; }

    juce::Image image;
    juce::Graphics g;
};

juce::Path roundedRect (juce::Rectangle<float> r, float radius);
juce::Path circle (float cx, float cy, float radius);

void fillVertical (juce::Graphics&, const juce::Path&, juce::Colour top, juce::Colour bottom);
void fillRadial (juce::Graphics&, const juce::Path&, juce::Point<float> centre, float radius,
                 juce::Colour inner, juce::Colour outer);

/** A soft shadow of the path, blurred over radius units and moved by offset. */
void dropShadow (Canvas&, const juce::Path&, juce::Colour, float radius, juce::Point<float> offset);
/** A shadow cast inside the path by its edge, as in a recess lit from above. */
void innerShadow (Canvas&, const juce::Path&, juce::Colour, float radius, juce::Point<float> offset);
/** A blurred copy of the stroked or filled path in the colour: a glow. */
void glow (Canvas&, const juce::Path&, juce::Colour, float radius);

/** A raised, lit metal rim of the panel: shadow, gradient body, top highlight. */
void bezel (Canvas&, juce::Rectangle<float>, float radius);
/** A dark recess with a shadow from its top edge and a light lip along its bottom. */
void well (Canvas&, juce::Rectangle<float>, float radius,
           juce::Colour top = juce::Colour (0xFF262B30), juce::Colour bottom = juce::Colour (0xFF1B1F23));

/** The lit top edge of a rounded face: its outline, strongest at the top, fading out by
    the middle. */
void topHighlight (juce::Graphics&, juce::Rectangle<float>, float radius, juce::Colour, float thickness = 0.6f);

void text (juce::Graphics&, const juce::String&, juce::Rectangle<float>, const juce::Font&,
           juce::Colour, juce::Justification = juce::Justification::centred);

namespace colours
{
    inline const juce::Colour panel { 0xFFB7C1C7 };
    inline const juce::Colour ink { 0xFF2B3137 };
    inline const juce::Colour green { 0xFF4FD27E };
    inline const juce::Colour yellow { 0xFFF4C542 };
    inline const juce::Colour purple { 0xFFA276F0 };
    inline const juce::Colour red { 0xFFF2594B };
}

} // namespace corvane::art
