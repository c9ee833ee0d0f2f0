// The window's background layers, logo, preset-bar frame, envelope screen and zoom icon.

#include "ArtKit.h"
#include "Painters.h"

namespace corvane::art
{

namespace
{
    using juce::Colour;
    namespace Colours = juce::Colours;
    using juce::Path;
    using juce::Rectangle;

    void groove (juce::Graphics& g, float x0, float y0, float x1, float y1)
    {
        // an engraved line: a dark cut with a light edge below or right of it
        const bool vertical = x0 == x1;
        g.setColour (Colours::black.withAlpha (0.22f));
        g.drawLine (x0, y0, x1, y1, 1.0f);
        g.setColour (Colours::white.withAlpha (0.45f));
        if (vertical)
            g.drawLine (x0 + 1.0f, y0, x1 + 1.0f, y1, 1.0f);
        else
            g.drawLine (x0, y0 + 1.0f, x1, y1 + 1.0f, 1.0f);
    }

    void screw (Canvas& c, float cx, float cy)
    {
        auto& g = c.g;
        const auto head = circle (cx, cy, 3.2f);
        dropShadow (c, head, Colours::black.withAlpha (0.35f), 1.2f, { 0.3f, 0.8f });
        fillVertical (g, head, Colour (0xFFF3F6F7), Colour (0xFF8F9AA2));
        fillRadial (g, circle (cx, cy, 2.5f), { cx - 0.6f, cy - 0.8f }, 2.8f, Colour (0xFFE4E9EC), Colour (0xFFA6B0B7));
        juce::Path slot;
        slot.addRectangle (cx - 2.0f, cy - 0.35f, 4.0f, 0.7f);
        slot.addRectangle (cx - 0.35f, cy - 2.0f, 0.7f, 4.0f);
        slot.applyTransform (juce::AffineTransform::rotation (0.6f, cx, cy));
        g.setColour (Colour (0xFF4E5860));
        g.fillPath (slot);
    }

    juce::Image overlay (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const float w = c.width(), h = c.height();

        // light from above: a faint sheen at the top, a faint shade at the bottom
        g.setGradientFill (juce::ColourGradient (Colours::white.withAlpha (0.16f), 0.0f, 0.0f,
                                                 Colours::black.withAlpha (0.10f), 0.0f, h, false));
        g.fillRect (0.0f, 0.0f, w, h);

        // oscillator columns, the right-hand block and the strip under the effects
        for (int i = 1; i <= 4; ++i)
            groove (g, 128.0f * (float) i, 0.0f, 128.0f * (float) i, h);
        groove (g, 922.0f, 0.0f, 922.0f, h);
        groove (g, 512.0f, 138.0f, 922.0f, 138.0f);
        groove (g, 512.0f, 275.0f, 922.0f, 275.0f);
        groove (g, 816.0f, 276.0f, 816.0f, h);

        // the output bay: a dark recess that holds the output fader and the meter
        well (c, { 929.0f, 121.0f, 88.0f, 207.0f }, 6.0f, Colour (0xFF30363C), Colour (0xFF23282D));
        // the meter's slot: a faint column the diodes sit in
        g.setColour (Colours::black.withAlpha (0.35f));
        g.fillRoundedRectangle (995.5f, 163.5f, 6.0f, 145.0f, 3.0f);

        // outer edge of the faceplate
        g.setColour (Colours::white.withAlpha (0.5f));
        g.drawLine (0.0f, 0.5f, w, 0.5f, 1.0f);
        g.setColour (Colours::black.withAlpha (0.25f));
        g.drawLine (0.0f, h - 0.5f, w, h - 0.5f, 1.0f);

        for (auto p : { juce::Point<float> (6.5f, 328.5f), { 1017.5f, 328.5f }, { 1017.5f, 6.5f } })
            screw (c, p.x, p.y);
        return c.image;
    }

    juce::Image noiseOverlay (int pw, int ph)
    {
        // fine grain: each pixel a faint white or black speck; seeded so builds are repeatable
        juce::Image image (juce::Image::ARGB, pw, ph, true);
        juce::Random random (0x0C0FFEE);
        juce::Image::BitmapData data (image, juce::Image::BitmapData::writeOnly);
        for (int y = 0; y < ph; ++y)
        {
            for (int x = 0; x < pw; ++x)
            {
                const int r = random.nextInt (16);
                const auto a = (juce::uint8) (r < 8 ? r : r - 8);
                const auto v = (juce::uint8) (r < 8 ? a : 0); // premultiplied: white specks keep v == a
                auto* px = reinterpret_cast<juce::PixelARGB*> (data.getPixelPointer (x, y));
                px->setARGB (a, v, v, v);
            }
        }
        return image;
    }

    juce::Image logo (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const float cx = c.width() * 0.5f, cy = 33.0f;

        // emblem: a dark disc with four arcs in the wave colours, like ripples from a note
        const auto disc = circle (cx, cy, 23.0f);
        dropShadow (c, disc, Colours::black.withAlpha (0.35f), 3.0f, { 0.0f, 1.5f });
        fillVertical (g, disc, Colour (0xFF3A4148), Colour (0xFF1E2328));
        g.setColour (Colours::white.withAlpha (0.18f));
        g.strokePath (circle (cx, cy, 22.4f), juce::PathStrokeType (0.8f));

        const Colour arcColours[] = { colours::green, colours::yellow, colours::purple, colours::red };
        for (int i = 0; i < 4; ++i)
        {
            const float r = 7.0f + 3.7f * (float) i;
            Path arc;
            arc.addCentredArc (cx, cy, r, r, 0.0f, -2.15f + 0.12f * (float) i, 0.55f - 0.1f * (float) i, true);
            glow (c, arc, arcColours[i].withAlpha (0.6f), 1.5f);
            g.setColour (arcColours[i]);
            g.strokePath (arc, juce::PathStrokeType (1.7f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        }
        g.setColour (Colours::white);
        g.fillPath (circle (cx, cy, 2.4f));

        text (g, "CORVANE", { 0.0f, 59.0f, c.width(), 15.0f }, fontOf (faces().bold, 14.5f, 0.16f), colours::ink);
        text (g, "POLYPHONIC SYNTHESIZER", { 0.0f, 74.0f, c.width(), 8.0f }, fontOf (faces().medium, 5.6f, 0.12f),
              Colour (0xFF59646C));
        return c.image;
    }

    juce::Image presetFrame (int pw, int ph)
    {
        Canvas c (pw, ph);
        const Rectangle<float> screen (16.0f, 15.0f, 268.0f, 30.0f);
        bezel (c, screen.expanded (9.0f, 8.5f), 9.0f);
        // the name display: a pale, slightly cool glass with its top edge in shadow
        well (c, screen.expanded (1.0f), 5.0f, Colour (0xFFD8E2E6), Colour (0xFFEEF3F5));
        // glass: a soft sheen over the upper half, between the arrow keys
        c.g.setGradientFill (juce::ColourGradient (Colours::white.withAlpha (0.5f), 0.0f, screen.getY() + 2.0f,
                                                   Colours::transparentWhite, 0.0f, screen.getCentreY(), false));
        c.g.fillRect (screen.reduced (30.0f, 0.0f).withTrimmedTop (2.0f).withHeight (13.0f));
        return c.image;
    }

    juce::Image zoomIcon (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        Path lens = circle (6.6f, 6.6f, 4.4f);
        Path handle;
        handle.startNewSubPath (9.9f, 9.9f);
        handle.lineTo (14.0f, 14.0f);
        Path all;
        juce::PathStrokeType (1.5f).createStrokedPath (all, lens);
        Path h2;
        juce::PathStrokeType (2.3f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded).createStrokedPath (h2, handle);
        all.addPath (h2);
        g.setColour (Colours::white.withAlpha (0.55f));
        g.fillPath (all, juce::AffineTransform::translation (0.0f, 0.7f));
        g.setColour (colours::ink);
        g.fillPath (all);
        g.setColour (Colours::white.withAlpha (0.25f));
        g.fillPath (circle (6.6f, 6.6f, 3.6f));
        return c.image;
    }

    const Colour screenTop { 0xFF20262B }, screenBottom { 0xFF15191D };

    juce::Image envelopeBackground (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> screen (6.0f, 24.0f, 398.0f, 110.0f);
        const auto shape = roundedRect (screen, 6.0f);

        g.setColour (Colours::white.withAlpha (0.5f));
        g.fillPath (roundedRect (screen.translated (0.0f, 0.8f).expanded (0.5f), 6.5f));
        fillVertical (g, shape, screenTop, screenBottom);

        {
            juce::Graphics::ScopedSaveState save (g);
            g.reduceClipRegion (shape);
            // a faint measuring grid behind the curve, with the baseline and the peak line
            g.setColour (Colours::white.withAlpha (0.045f));
            for (float x = 17.0f; x < 400.0f; x += 18.8f)
                g.drawLine (x, screen.getY(), x, screen.getBottom(), 0.5f);
            for (float y = 29.0f; y < 134.0f; y += 21.0f)
                g.drawLine (screen.getX(), y, screen.getRight(), y, 0.5f);
            g.setColour (Colours::white.withAlpha (0.12f));
            g.drawLine (10.0f, 113.5f, 400.0f, 113.5f, 0.6f);
            const float dashes[] = { 2.0f, 2.0f };
            g.drawDashedLine ({ 10.0f, 29.0f, 400.0f, 29.0f }, dashes, 2, 0.5f);
            // glass: a soft reflection across the upper half
            g.setGradientFill (juce::ColourGradient (Colours::white.withAlpha (0.06f), 0.0f, screen.getY(),
                                                     Colours::transparentWhite, 0.0f, screen.getY() + 55.0f, false));
            g.fillRect (screen.withHeight (55.0f));
        }
        innerShadow (c, shape, Colours::black.withAlpha (0.9f), 3.0f, { 0.0f, 1.5f });
        g.setColour (Colours::black.withAlpha (0.6f));
        g.strokePath (shape, juce::PathStrokeType (0.6f));
        return c.image;
    }

    juce::Image envelopeTitle (int pw, int ph)
    {
        // a tab of the envelope screen that rises above it; it covers the screen's top edge
        Canvas c (pw, ph);
        auto& g = c.g;
        Path tab;
        tab.addRoundedRectangle (0.0f, 0.0f, c.width(), c.height(), 5.0f, 5.0f, true, true, false, false);
        juce::ColourGradient fill (Colour (0xFF262C32), 0.0f, 0.0f, screenTop.withAlpha (0.0f), 0.0f, c.height(), false);
        fill.addColour (15.0 / 19.0, screenTop);
        g.setGradientFill (fill);
        g.fillPath (tab);
        g.setColour (Colours::white.withAlpha (0.10f));
        Path rim;
        rim.addRoundedRectangle (0.5f, 0.5f, c.width() - 1.0f, 30.0f, 4.5f, 4.5f, true, true, false, false);
        g.strokePath (rim, juce::PathStrokeType (0.6f));
        return c.image;
    }
}

void addPanelPainters (std::map<std::string, Painter>& painters)
{
    painters["overlay2x"] = overlay;
    painters["noise_overlay2x"] = noiseOverlay;
    painters["corvane_logo2x"] = logo;
    painters["preset_3d2x"] = presetFrame;
    painters["zoom2x"] = zoomIcon;
    painters["bg_envelope"] = envelopeBackground;
    painters["envelope_title"] = envelopeTitle;
}

} // namespace corvane::art
