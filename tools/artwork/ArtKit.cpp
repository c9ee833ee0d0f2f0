#include "ArtKit.h"

namespace corvane::art
{

namespace
{
    Faces loadedFaces;
}

const Faces& faces() { return loadedFaces; }
void setFaces (Faces f) { loadedFaces = std::move (f); }

juce::Font fontOf (const juce::Typeface::Ptr& face, float height, float kerning)
{
    juce::Font f = face != nullptr ? juce::Font (face) : juce::Font();
    f = f.withHeight (height);
    if (kerning != 0.0f)
        f = f.withExtraKerningFactor (kerning);
    return f;
}

Canvas::Canvas (int pixelWidth, int pixelHeight)
    : image (juce::Image::ARGB, pixelWidth, pixelHeight, true), g (image)
{
    g.addTransform (juce::AffineTransform::scale (2.0f));
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
}

juce::Path roundedRect (juce::Rectangle<float> r, float radius)
{
    juce::Path p;
    p.addRoundedRectangle (r, radius);
    return p;
}

juce::Path circle (float cx, float cy, float radius)
{
    juce::Path p;
    p.addEllipse (cx - radius, cy - radius, radius * 2.0f, radius * 2.0f);
    return p;
}

void fillVertical (juce::Graphics& g, const juce::Path& p, juce::Colour top, juce::Colour bottom)
{
    const auto b = p.getBounds();
    g.setGradientFill (juce::ColourGradient (top, 0.0f, b.getY(), bottom, 0.0f, b.getBottom(), false));
    g.fillPath (p);
}

void fillRadial (juce::Graphics& g, const juce::Path& p, juce::Point<float> centre, float radius,
                 juce::Colour inner, juce::Colour outer)
{
    g.setGradientFill (juce::ColourGradient (inner, centre, outer, centre.translated (radius, 0.0f), true));
    g.fillPath (p);
}

void dropShadow (Canvas& c, const juce::Path& p, juce::Colour colour, float radius, juce::Point<float> offset)
{
    juce::Graphics raw (c.image);
    juce::Path px (p);
    px.applyTransform (juce::AffineTransform::scale (2.0f).translated (offset * 2.0f));
    juce::DropShadow (colour, juce::jmax (1, juce::roundToInt (radius * 2.0f)), {}).drawForPath (raw, px);
}

void innerShadow (Canvas& c, const juce::Path& p, juce::Colour colour, float radius, juce::Point<float> offset)
{
    juce::Graphics raw (c.image);
    juce::Path px (p);
    px.applyTransform (juce::AffineTransform::scale (2.0f));
    raw.reduceClipRegion (px);

    juce::Path inverse;
    inverse.addRectangle (px.getBounds().expanded (radius * 8.0f + 8.0f));
    inverse.addPath (px);
    inverse.setUsingNonZeroWinding (false);
    inverse.applyTransform (juce::AffineTransform::translation (offset * 2.0f));
    juce::DropShadow (colour, juce::jmax (1, juce::roundToInt (radius * 2.0f)), {}).drawForPath (raw, inverse);
}

void glow (Canvas& c, const juce::Path& p, juce::Colour colour, float radius)
{
    dropShadow (c, p, colour, radius, {});
}

void bezel (Canvas& c, juce::Rectangle<float> r, float radius)
{
    auto& g = c.g;
    const auto body = roundedRect (r, radius);
    dropShadow (c, body, juce::Colours::black.withAlpha (0.30f), 4.0f, { 1.0f, 2.5f });
    dropShadow (c, body, juce::Colours::black.withAlpha (0.25f), 1.0f, { 0.0f, 0.8f });
    fillVertical (g, body, juce::Colour (0xFFF1F4F6), juce::Colour (0xFFA3AEB6));

    // a slightly darker chamfer band just inside the edge gives the rim some depth
    const auto inner = roundedRect (r.reduced (1.5f), juce::jmax (0.5f, radius - 1.5f));
    fillVertical (g, inner, juce::Colour (0xFFE2E7EA), juce::Colour (0xFFB9C3C9));

    topHighlight (g, r.reduced (0.6f), radius - 0.6f, juce::Colours::white.withAlpha (0.9f), 0.7f);
    g.setColour (juce::Colours::black.withAlpha (0.30f));
    g.strokePath (body, juce::PathStrokeType (0.6f));
}

void well (Canvas& c, juce::Rectangle<float> r, float radius, juce::Colour top, juce::Colour bottom)
{
    auto& g = c.g;
    // light lip below the recess
    g.setColour (juce::Colours::white.withAlpha (0.45f));
    g.fillPath (roundedRect (r.translated (0.0f, 0.6f).expanded (0.4f), radius + 0.4f));
    const auto hole = roundedRect (r, radius);
    fillVertical (g, hole, top, bottom);
    innerShadow (c, hole, juce::Colours::black.withAlpha (0.85f), 2.5f, { 0.0f, 1.2f });
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.strokePath (hole, juce::PathStrokeType (0.6f));
}

void topHighlight (juce::Graphics& g, juce::Rectangle<float> r, float radius, juce::Colour colour, float thickness)
{
    juce::Graphics::ScopedSaveState save (g);
    g.reduceClipRegion (r.withHeight (r.getHeight() * 0.55f).expanded (thickness).toNearestIntEdges());
    g.setGradientFill (juce::ColourGradient (colour, 0.0f, r.getY(), colour.withAlpha (0.0f), 0.0f,
                                             r.getY() + r.getHeight() * 0.55f, false));
    g.strokePath (roundedRect (r, radius), juce::PathStrokeType (thickness));
}

void text (juce::Graphics& g, const juce::String& s, juce::Rectangle<float> area, const juce::Font& font,
           juce::Colour colour, juce::Justification j)
{
    g.setColour (colour);
    g.setFont (font);
    g.drawText (s, area, j, false);
}

} // namespace corvane::art
