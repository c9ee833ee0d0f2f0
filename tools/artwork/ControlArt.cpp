// Faders, knobs, switches, wave buttons, diodes and the frames around them.

#include <cmath>

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

    constexpr float pi = juce::MathConstants<float>::pi;

    //==========================================================================
    // Faders
    juce::Image faderTrack (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        // the thumb's grip centre travels from y 26 (top) to y 165 (bottom) at x 25
        const float top = 26.0f, bottom = 165.0f, cx = 25.0f;
        for (int i = 0; i <= 10; ++i)
        {
            const float y = top + (bottom - top) * (float) i / 10.0f;
            const bool major = i % 5 == 0;
            const float len = major ? 8.0f : 5.0f;
            g.setColour (Colours::white.withAlpha (0.5f));
            g.fillRect (cx - 10.0f - len, y + 0.4f, len, 0.8f);
            g.setColour (colours::ink.withAlpha (major ? 0.75f : 0.5f));
            g.fillRect (cx - 10.0f - len, y - 0.4f, len, 0.8f);
        }
        well (c, { cx - 3.0f, top - 10.0f, 6.0f, bottom - top + 20.0f }, 3.0f, Colour (0xFF15181B), Colour (0xFF2A3036));
        g.setColour (Colours::black.withAlpha (0.6f));
        g.fillRect (cx - 0.5f, top - 7.0f, 1.0f, bottom - top + 14.0f);
        return c.image;
    }

    juce::Image faderThumb (int pw, int ph, Colour base, bool light)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        // grip centred at (25, 28); the rest of the picture holds its shadow
        const Rectangle<float> cap (7.0f, 15.0f, 36.0f, 26.0f);
        const auto capPath = roundedRect (cap, 4.0f);
        dropShadow (c, capPath, Colours::black.withAlpha (0.55f), 5.0f, { 3.0f, 6.0f });
        dropShadow (c, capPath, Colours::black.withAlpha (0.35f), 1.5f, { 0.5f, 1.5f });

        // body sides, then the top face, lighter towards the top edge
        fillVertical (g, capPath, base.darker (0.45f), base.darker (0.9f));
        const auto face = roundedRect (cap.withTrimmedBottom (3.0f), 4.0f);
        fillVertical (g, face, base.brighter (0.55f), base);
        // a machined ridge across the face, lit on its upper side
        const auto ridgeY = cap.getY() + 11.5f;
        for (float d : { -5.5f, 5.5f })
        {
            g.setColour (Colours::black.withAlpha (0.18f));
            g.fillRect (cap.getX() + 3.0f, ridgeY + d, cap.getWidth() - 6.0f, 0.6f);
            g.setColour (Colours::white.withAlpha (0.35f));
            g.fillRect (cap.getX() + 3.0f, ridgeY + d + 0.6f, cap.getWidth() - 6.0f, 0.5f);
        }
        // the index line
        g.setColour (light ? colours::ink : Colours::white.withAlpha (0.95f));
        g.fillRoundedRectangle (cap.getX() + 2.5f, ridgeY - 0.8f, cap.getWidth() - 5.0f, 1.6f, 0.8f);
        topHighlight (g, cap.reduced (0.5f), 3.5f, Colours::white.withAlpha (0.85f));
        g.setColour (Colours::black.withAlpha (0.45f));
        g.strokePath (capPath, juce::PathStrokeType (0.5f));
        return c.image;
    }

    juce::Image driveTrack (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        // the thumb's centre travels from x 9.5 to 62.5 at y 8.5
        const Rectangle<float> slot (3.0f, 3.0f, 66.0f, 11.0f);
        well (c, slot, 5.5f, Colour (0xFF171A1D), Colour (0xFF2B3137));
        // heat rises from left to right
        juce::ColourGradient heat (Colour (0x00FF8A3D), 10.0f, 0.0f, Colour (0xCCFF4A2E), 62.0f, 0.0f, false);
        heat.addColour (0.5, Colour (0x66FFB03D));
        g.setGradientFill (heat);
        g.fillRoundedRectangle (9.5f, 7.9f, 53.0f, 1.2f, 0.6f);
        return c.image;
    }

    void metalBall (Canvas& c, float cx, float cy, float r)
    {
        auto& g = c.g;
        const auto ball = circle (cx, cy, r);
        dropShadow (c, ball, Colours::black.withAlpha (0.6f), 0.8f, { 0.2f, 0.7f });
        fillVertical (g, ball, Colour (0xFFFBFCFD), Colour (0xFF7F8B93));
        fillRadial (g, circle (cx, cy, r * 0.72f), { cx, cy - r * 0.2f }, r * 0.8f, Colour (0xFFF4F7F8), Colour (0xFFB2BCC3));
        g.setColour (Colours::black.withAlpha (0.5f));
        g.strokePath (ball, juce::PathStrokeType (0.4f));
    }

    juce::Image driveThumb (int pw, int ph)
    {
        Canvas c (pw, ph);
        metalBall (c, 5.5f, 5.3f, 4.3f);
        c.g.setColour (Colour (0xFFFF5C3F));
        c.g.fillPath (circle (5.5f, 5.3f, 1.0f));
        return c.image;
    }

    juce::Image pitchKnob (int pw, int ph)
    {
        Canvas c (pw, ph);
        metalBall (c, 4.0f, 3.9f, 3.3f);
        c.g.setColour (colours::ink);
        c.g.fillRect (3.6f, 1.4f, 0.8f, 5.0f);
        return c.image;
    }

    juce::Image fineTrack (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        // the thumb's centre travels from x 7 to 56; the middle is "no detune"
        g.setColour (colours::ink.withAlpha (0.6f));
        for (float x : { 7.0f, 31.5f, 56.0f })
            g.fillRect (x - 0.4f, 0.5f, 0.8f, x == 31.5f ? 3.0f : 2.0f);
        for (float x : { 19.25f, 43.75f })
            g.fillRect (x - 0.3f, 1.0f, 0.6f, 1.4f);
        well (c, { 5.0f, 4.8f, 53.0f, 2.4f }, 1.2f, Colour (0xFF15181B), Colour (0xFF2A3036));
        return c.image;
    }

    juce::Image octaveTrack (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        // four detents from y 56 (lowest octave) up to y 7, groove centred at x 6
        well (c, { 4.8f, 5.0f, 2.4f, 53.0f }, 1.2f, Colour (0xFF15181B), Colour (0xFF2A3036));
        const char* labels[] = { "-1", "0", "+1", "+2" };
        const auto font = fontOf (faces().condensed, 7.5f);
        for (int i = 0; i < 4; ++i)
        {
            const float y = 56.0f - 49.0f * (float) i / 3.0f;
            g.setColour (colours::ink.withAlpha (0.7f));
            g.fillRect (9.0f, y - 0.4f, 3.0f, 0.8f);
            text (g, labels[i], { 12.5f, y - 4.0f, 14.0f, 8.0f }, font, colours::ink, juce::Justification::centredLeft);
        }
        return c.image;
    }

    //==========================================================================
    // Diodes and the LED plate
    juce::Image diode (int pw, int ph, Colour centre, float alpha)
    {
        Canvas c (pw, ph);
        const auto d = circle (1.5f, 1.5f, 1.45f);
        fillRadial (c.g, d, { 1.5f, 1.5f }, 1.5f, centre.withAlpha (alpha), centre.darker (0.35f).withAlpha (alpha));
        return c.image;
    }

    juce::Image ledPlate (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const auto ring = circle (4.0f, 4.0f, 3.9f);
        fillVertical (g, ring, Colour (0xFF7E8991), Colour (0xFFF1F4F6));
        const auto lens = circle (4.0f, 4.0f, 3.0f);
        fillRadial (g, lens, { 4.0f, 3.6f }, 3.0f, Colour (0xFF5A1E1A), Colour (0xFF260C0B));
        return c.image;
    }

    //==========================================================================
    // Frames of the oscillator panel and the phaser switch
    juce::Image selectorFrame (int pw, int ph)
    {
        Canvas c (pw, ph);
        const Rectangle<float> area (15.0f, 14.0f, 65.0f, 65.0f);
        // the rim stays clear of the caption that ends one unit left of the keys
        bezel (c, area.expanded (2.0f).withLeft (area.getX() - 1.2f), 5.5f);
        well (c, area.expanded (0.8f), 4.0f, Colour (0xFF14171A), Colour (0xFF1B1F23));
        return c.image;
    }

    juce::Image stepperFrame (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> area (15.0f, 15.0f, 65.0f, 30.0f);
        bezel (c, area.expanded (2.0f).withLeft (area.getX() - 1.2f), 5.5f);
        well (c, area.expanded (0.8f), 4.0f);
        // the minus and plus keys at the ends of the read-out
        for (float x : { 15.0f + 19.0f, 15.0f + 46.0f })
        {
            g.setColour (Colours::black.withAlpha (0.5f));
            g.fillRect (x - 0.5f, area.getY() + 4.0f, 0.6f, area.getHeight() - 8.0f);
            g.setColour (Colours::white.withAlpha (0.07f));
            g.fillRect (x + 0.1f, area.getY() + 4.0f, 0.5f, area.getHeight() - 8.0f);
        }
        return c.image;
    }

    juce::Image switchFrame (int pw, int ph)
    {
        Canvas c (pw, ph);
        const Rectangle<float> area (15.0f, 15.0f, 25.0f, 69.0f);
        bezel (c, area.expanded (1.8f), 5.5f);
        well (c, area.expanded (0.5f), 4.0f);
        // one socket per position: 17-unit cells at y 4.5, 26 and 47.5 of the switch
        for (float y : { 4.5f, 26.0f, 47.5f })
        {
            const Rectangle<float> cell (area.getX() + 4.0f, area.getY() + y, 17.0f, 17.0f);
            const auto socket = roundedRect (cell.expanded (0.6f), 3.6f);
            c.g.setColour (Colour (0xFF101316));
            c.g.fillPath (socket);
            innerShadow (c, socket, Colours::black, 1.5f, { 0.0f, 0.8f });
            c.g.setColour (Colours::white.withAlpha (0.08f));
            c.g.strokePath (roundedRect (cell.expanded (1.1f).translated (0.0f, 0.4f), 4.0f), juce::PathStrokeType (0.5f));
        }
        return c.image;
    }

    juce::Image switchCap (int pw, int ph, bool on)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> cap (1.0f, 1.0f, 15.0f, 15.0f);
        const auto body = roundedRect (cap, 3.0f);
        dropShadow (c, body, Colours::black.withAlpha (0.6f), 1.0f, { 0.0f, 0.8f });
        fillVertical (g, body, Colour (0xFFEEF2F4), Colour (0xFF8C979F));
        fillVertical (g, roundedRect (cap.reduced (1.3f), 2.2f), Colour (0xFFDCE2E6), Colour (0xFFB4BEC5));
        const auto lens = circle (8.5f, 8.5f, 3.4f);
        if (on)
        {
            glow (c, lens, Colour (0xFFFF6A3D).withAlpha (0.9f), 2.0f);
            fillRadial (g, lens, { 8.2f, 7.9f }, 3.4f, Colour (0xFFFFE2B0), Colour (0xFFFF5A2E));
        }
        else
        {
            fillRadial (g, lens, { 8.2f, 7.9f }, 3.4f, Colour (0xFF5E6870), Colour (0xFF2F363C));
        }
        g.setColour (Colours::white.withAlpha (on ? 0.6f : 0.25f));
        g.fillEllipse (7.1f, 6.3f, 1.8f, 1.1f);
        g.setColour (Colours::black.withAlpha (0.4f));
        g.strokePath (lens, juce::PathStrokeType (0.45f));
        return c.image;
    }

    //==========================================================================
    // Wave selector keys
    Path wavePath (int type)
    {
        // one cycle across x 7..25, swinging +-6 around y 16
        Path p;
        const float x0 = 7.0f, x1 = 25.0f, cy = 16.0f, a = 6.0f;
        switch (type)
        {
            case 0: // transistor: square
                p.startNewSubPath (x0, cy);
                p.lineTo (x0, cy - a);
                p.lineTo (16.0f, cy - a);
                p.lineTo (16.0f, cy + a);
                p.lineTo (x1, cy + a);
                p.lineTo (x1, cy);
                break;
            case 1: // tube: a square with soft shoulders
            {
                juce::Path sq;
                sq.startNewSubPath (x0, cy);
                sq.lineTo (x0, cy - a);
                sq.lineTo (16.0f, cy - a);
                sq.lineTo (16.0f, cy + a);
                sq.lineTo (x1, cy + a);
                sq.lineTo (x1, cy);
                p = sq.createPathWithRoundedCorners (5.0f);
                break;
            }
            default: // plasma: a sine whose phase is bent forward; sine: a plain sine
                for (int i = 0; i <= 96; ++i)
                {
                    const float t = (float) i / 96.0f;
                    float phase = 2.0f * pi * t;
                    if (type == 2)
                        phase += 0.85f * std::sin (phase);
                    const float x = x0 + (x1 - x0) * t;
                    const float y = cy - a * std::sin (phase);
                    if (i == 0)
                        p.startNewSubPath (x, y);
                    else
                        p.lineTo (x, y);
                }
                break;
        }
        return p;
    }

    juce::Image waveKey (int pw, int ph, int type, bool active)
    {
        static const Colour lit[] = { colours::green, colours::yellow, colours::purple, colours::red };
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> key (1.5f, 1.5f, 29.0f, 29.0f);
        const auto face = roundedRect (key, 3.5f);
        dropShadow (c, face, Colours::black.withAlpha (0.7f), 1.2f, { 0.0f, 0.8f });
        fillVertical (g, face, active ? Colour (0xFF3D454D) : Colour (0xFF353C43), active ? Colour (0xFF262C31) : Colour (0xFF22272C));
        if (active)
        {
            // the key is lit from inside in the wave's colour
            fillRadial (g, face, { 16.0f, 16.0f }, 16.0f, lit[type].withAlpha (0.22f), lit[type].withAlpha (0.0f));
        }
        topHighlight (g, key.reduced (0.5f), 3.0f, Colours::white.withAlpha (active ? 0.25f : 0.16f));
        g.setColour (Colours::black.withAlpha (0.8f));
        g.strokePath (face, juce::PathStrokeType (0.5f));

        const auto wave = wavePath (type);
        const juce::PathStrokeType stroke (1.7f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
        Path outline;
        stroke.createStrokedPath (outline, wave);
        if (active)
        {
            glow (c, outline, lit[type], 2.2f);
            g.setColour (lit[type].brighter (0.35f));
            g.fillPath (outline);
        }
        else
        {
            g.setColour (Colours::black.withAlpha (0.6f));
            g.fillPath (outline, juce::AffineTransform::translation (0.0f, 0.6f));
            g.setColour (Colour (0xFF808B94));
            g.fillPath (outline);
        }
        return c.image;
    }

    //==========================================================================
    // Knob: a still machined plate, a turning cap, and the cap's shadow
    constexpr float knobCentre = 43.5f;
    constexpr float capRadius = 29.0f;

    juce::Image knobPlate (int pw, int ph)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const float cx = knobCentre, cy = knobCentre, r = 40.0f;
        const auto plate = circle (cx, cy, r);
        dropShadow (c, plate, Colours::black.withAlpha (0.35f), 3.0f, { 0.0f, 1.5f });

        // brushed metal lit from the top left: the brightness turns with the angle
        const int wedges = 180;
        for (int i = 0; i < wedges; ++i)
        {
            const float a0 = 2.0f * pi * (float) i / (float) wedges;
            const float a1 = 2.0f * pi * (float) (i + 1) / (float) wedges + 0.01f;
            const float shade = 0.5f + 0.5f * std::cos (2.0f * (a0 + 0.6f));
            const float lightSide = 0.5f + 0.5f * std::cos (a0 + 0.7f);
            Path wedge;
            wedge.addPieSegment (cx - r, cy - r, 2.0f * r, 2.0f * r, a0, a1, 0.0f);
            g.setColour (Colour (0xFF9AA5AD).interpolatedWith (Colour (0xFFF1F4F6), 0.35f * shade + 0.45f * lightSide));
            g.fillPath (wedge);
        }
        // bevelled outer edge and the recess the cap sits in
        g.setGradientFill (juce::ColourGradient (Colours::white.withAlpha (0.9f), cx, cy - r,
                                                 Colours::black.withAlpha (0.4f), cx, cy + r, false));
        g.strokePath (circle (cx, cy, r - 0.4f), juce::PathStrokeType (0.8f));
        const auto recess = circle (cx, cy, capRadius + 2.2f);
        g.setColour (Colour (0xFF6F7A82));
        g.fillPath (recess);
        innerShadow (c, recess, Colours::black.withAlpha (0.8f), 2.0f, { 0.0f, 1.0f });
        g.setColour (Colours::black.withAlpha (0.35f));
        g.strokePath (plate, juce::PathStrokeType (0.6f));
        return c.image;
    }

    juce::Image knobHandle (int pw, int ph)
    {
        // Everything but the pointer is round-symmetric, so the lighting holds while it turns.
        Canvas c (pw, ph);
        auto& g = c.g;
        const float cx = knobCentre, cy = knobCentre, r = capRadius;

        // knurled rim
        const auto rim = circle (cx, cy, r);
        g.setColour (Colour (0xFF3A4248));
        g.fillPath (rim);
        const int ridges = 72;
        for (int i = 0; i < ridges; ++i)
        {
            const float a = 2.0f * pi * (float) i / (float) ridges;
            Path ridge;
            ridge.addPieSegment (cx - r, cy - r, 2.0f * r, 2.0f * r, a, a + pi / (float) ridges, 0.9f);
            g.setColour (Colour (0xFF59626A));
            g.fillPath (ridge);
        }
        // machined top face: fine concentric rings
        const float top = r - 3.0f;
        fillRadial (g, circle (cx, cy, top), { cx, cy }, top, Colour (0xFFDDE3E7), Colour (0xFFAAB5BC));
        for (float rr = 2.0f; rr < top; rr += 0.9f)
        {
            const float t = rr / top;
            g.setColour ((((int) (rr / 0.9f)) % 2 == 0 ? Colours::white : Colours::black).withAlpha (0.05f + 0.04f * t));
            g.drawEllipse (cx - rr, cy - rr, 2.0f * rr, 2.0f * rr, 0.45f);
        }
        g.setColour (Colours::black.withAlpha (0.45f));
        g.drawEllipse (cx - top, cy - top, 2.0f * top, 2.0f * top, 0.6f);
        g.setColour (Colours::white.withAlpha (0.3f));
        g.drawEllipse (cx - top + 0.6f, cy - top + 0.6f, 2.0f * top - 1.2f, 2.0f * top - 1.2f, 0.5f);

        // pointer: an engraved line from near the centre to the rim
        Path pointer;
        pointer.addRoundedRectangle (cx - 1.3f, cy - top + 2.0f, 2.6f, top - 9.0f, 1.3f);
        g.setColour (Colours::white.withAlpha (0.55f));
        g.fillPath (pointer, juce::AffineTransform::translation (0.0f, 0.5f));
        g.setColour (colours::ink);
        g.fillPath (pointer);
        return c.image;
    }

    juce::Image knobShadow (int pw, int ph)
    {
        Canvas c (pw, ph);
        dropShadow (c, circle (knobCentre, knobCentre, capRadius), Colours::black.withAlpha (0.75f), 2.5f, { 0.0f, 0.5f });
        return c.image;
    }
}

void addControlPainters (std::map<std::string, Painter>& painters)
{
    painters["fader_track_short2x"] = faderTrack;
    painters["fader_white2x"] = [] (int w, int h) { return faderThumb (w, h, Colour (0xFFE9EDF0), true); };
    painters["fader_green2x"] = [] (int w, int h) { return faderThumb (w, h, colours::green.darker (0.15f), false); };
    painters["fader_yellow2x"] = [] (int w, int h) { return faderThumb (w, h, colours::yellow.darker (0.15f), false); };
    painters["fader_purple2x"] = [] (int w, int h) { return faderThumb (w, h, colours::purple.darker (0.1f), false); };
    painters["fader_red2x"] = [] (int w, int h) { return faderThumb (w, h, colours::red.darker (0.1f), false); };
    painters["bg_drive_switch2x"] = driveTrack;
    painters["btn_drive_switch2x"] = driveThumb;
    painters["pitchtrack_knob2x"] = pitchKnob;
    painters["FINE_track2x"] = fineTrack;
    painters["corvane_OCT_track_type2x"] = octaveTrack;
    painters["diod_normal2x"] = [] (int w, int h) { return diode (w, h, Colour (0xFFFFF4B4), 1.0f); };
    painters["diod_yellow2x"] = [] (int w, int h) { return diode (w, h, Colour (0xFFFFC739), 1.0f); };
    painters["diod_red2x"] = [] (int w, int h) { return diode (w, h, Colour (0xFFFF5C3F), 1.0f); };
    painters["diod_off2x"] = [] (int w, int h) { return diode (w, h, Colour (0xFFA2ADB6), 0.7f); };
    painters["led_plate2x"] = ledPlate;
    painters["selector_3d2x"] = selectorFrame;
    painters["stepper_3d2x"] = stepperFrame;
    painters["switch_3d2x"] = switchFrame;
    painters["switch_off2x"] = [] (int w, int h) { return switchCap (w, h, false); };
    painters["switch_on2x"] = [] (int w, int h) { return switchCap (w, h, true); };

    const char* waveNames[] = { "transistor", "tube", "plasma", "sine" };
    for (int i = 0; i < 4; ++i)
    {
        painters[std::string (waveNames[i]) + "2x"] = [i] (int w, int h) { return waveKey (w, h, i, false); };
        painters[std::string (waveNames[i]) + "_active2x"] = [i] (int w, int h) { return waveKey (w, h, i, true); };
    }

    painters["knob_plate2x"] = knobPlate;
    painters["knob_handle2x"] = knobHandle;
    painters["knob_shadow2x"] = knobShadow;
}

} // namespace corvane::art
