// The preset bar's arrows and the preset manager panel: frame tiles, word labels, buttons.

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

    enum class State { normal, pressed, disabled };

    //==========================================================================
    // Preset bar arrows: a grey key rounded on its outer side, with an arrow
    juce::Image arrowKey (int pw, int ph, bool previous, State state)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const float w = c.width(), h = c.height();
        Path key;
        key.addRoundedRectangle (0.5f, 0.5f, w - 1.0f, h - 1.0f, 4.5f, 4.5f, previous, ! previous, previous, ! previous);

        const Colour top = state == State::pressed ? Colour (0xFFC9D2D8) : Colour (0xFFAAB5BC);
        const Colour bottom = state == State::pressed ? Colour (0xFFAEB9C0) : Colour (0xFF8B979F);
        fillVertical (g, key, top, bottom);
        g.setColour (Colours::white.withAlpha (0.5f));
        g.fillRect (previous ? 3.0f : 0.5f, 0.8f, w - 3.5f, 0.6f);
        g.setColour (Colours::black.withAlpha (0.25f));
        g.fillRect (previous ? w - 1.0f : 0.5f, 2.0f, 0.5f, h - 4.0f);

        Path arrow;
        const float cx = w * 0.5f, cy = h * 0.5f, s = 4.2f;
        if (previous)
            arrow.addTriangle (cx - s, cy, cx + s * 0.7f, cy - s, cx + s * 0.7f, cy + s);
        else
            arrow.addTriangle (cx + s, cy, cx - s * 0.7f, cy - s, cx - s * 0.7f, cy + s);
        arrow = arrow.createPathWithRoundedCorners (1.0f);
        g.setColour (Colours::white.withAlpha (0.45f));
        g.fillPath (arrow, juce::AffineTransform::translation (0.0f, 0.6f));
        g.setColour (colours::ink);
        g.fillPath (arrow);

        if (state == State::disabled)
            c.image.multiplyAllAlphas (0.4f);
        return c.image;
    }

    //==========================================================================
    // Panel frame: one 48-unit picture of a shadowed, rounded panel, cut into nine tiles
    const Colour panelBody { 0xFF333436 };

    juce::Image frameSheet()
    {
        Canvas c (96, 96);
        auto& g = c.g;
        const Rectangle<float> body (11.0f, 11.0f, 26.0f, 26.0f);
        const auto shape = roundedRect (body, 5.0f);
        dropShadow (c, shape, Colours::black.withAlpha (0.75f), 6.0f, { 0.0f, 2.0f });
        fillVertical (g, shape, panelBody.brighter (0.08f), panelBody);
        g.setColour (Colours::white.withAlpha (0.12f));
        g.strokePath (roundedRect (body.reduced (0.5f), 4.5f), juce::PathStrokeType (0.8f));
        g.setColour (Colours::black.withAlpha (0.8f));
        g.strokePath (shape, juce::PathStrokeType (0.6f));
        return c.image;
    }

    juce::Image frameTile (int pw, int ph, int column, int row)
    {
        static const juce::Image sheet = frameSheet();
        juce::Image tile (juce::Image::ARGB, pw, ph, true);
        juce::Graphics g (tile);
        g.drawImageAt (sheet, -column * 32, -row * 32);
        return tile;
    }

    //==========================================================================
    // Word labels over the dark panel
    juce::Image word (int pw, int ph, const juce::String& s)
    {
        Canvas c (pw, ph);
        auto font = fontOf (faces().bold, 8.6f, 0.12f);
        // shrink to fit the width exactly when needed
        const float natural = font.getStringWidthFloat (s);
        if (natural > c.width())
            font = font.withHorizontalScale (c.width() / natural);
        text (c.g, s, { 0.0f, 0.0f, c.width(), c.height() }, font, Colour (0xFFB9BEC2), juce::Justification::centredLeft);
        return c.image;
    }

    //==========================================================================
    // Buttons
    enum class Icon { none, tick, plus, arrowIn, arrowOut };

    void drawIcon (juce::Graphics& g, Icon icon, juce::Point<float> centre, Colour colour)
    {
        const juce::PathStrokeType stroke (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
        Path p;
        const float x = centre.x, y = centre.y;
        switch (icon)
        {
            case Icon::tick:
                p.startNewSubPath (x - 3.5f, y + 0.2f);
                p.lineTo (x - 1.0f, y + 2.8f);
                p.lineTo (x + 3.8f, y - 2.8f);
                break;
            case Icon::plus:
                p.startNewSubPath (x - 3.5f, y);
                p.lineTo (x + 3.5f, y);
                p.startNewSubPath (x, y - 3.5f);
                p.lineTo (x, y + 3.5f);
                break;
            case Icon::arrowIn: // into a tray
                p.startNewSubPath (x, y - 4.0f);
                p.lineTo (x, y + 1.5f);
                p.startNewSubPath (x - 2.5f, y - 1.0f);
                p.lineTo (x, y + 1.5f);
                p.lineTo (x + 2.5f, y - 1.0f);
                p.startNewSubPath (x - 4.0f, y + 1.5f);
                p.lineTo (x - 4.0f, y + 4.0f);
                p.lineTo (x + 4.0f, y + 4.0f);
                p.lineTo (x + 4.0f, y + 1.5f);
                break;
            case Icon::arrowOut: // out of a tray
                p.startNewSubPath (x, y + 1.5f);
                p.lineTo (x, y - 4.0f);
                p.startNewSubPath (x - 2.5f, y - 1.5f);
                p.lineTo (x, y - 4.0f);
                p.lineTo (x + 2.5f, y - 1.5f);
                p.startNewSubPath (x - 4.0f, y + 1.5f);
                p.lineTo (x - 4.0f, y + 4.0f);
                p.lineTo (x + 4.0f, y + 4.0f);
                p.lineTo (x + 4.0f, y + 1.5f);
                break;
            case Icon::none:
                return;
        }
        g.setColour (colour);
        g.strokePath (p, stroke);
    }

    /** A dark key of the button strip with a coloured icon and a label. */
    juce::Image stripButton (int pw, int ph, const juce::String& label, Icon icon, Colour iconColour, State state)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> face (0.5f, 2.0f, c.width() - 1.0f, c.height() - 4.0f);
        const auto shape = roundedRect (face, 3.0f);
        const bool pressed = state == State::pressed;
        fillVertical (g, shape, pressed ? Colour (0xFF202122) : Colour (0xFF3A3C3F), pressed ? Colour (0xFF2A2B2D) : Colour (0xFF2A2B2D));
        topHighlight (g, face.reduced (0.5f), 2.5f, Colours::white.withAlpha (pressed ? 0.06f : 0.16f));
        g.setColour (Colours::black.withAlpha (0.9f));
        g.strokePath (shape, juce::PathStrokeType (0.6f));

        const bool grey = state == State::disabled;
        const Colour ink = grey ? Colour (0xFF6B6D70) : pressed ? Colour (0xFFA8ABAE) : Colour (0xFFE8EAEC);
        const float iconX = face.getX() + 10.0f;
        drawIcon (g, icon, { iconX, face.getCentreY() }, grey ? ink : pressed ? iconColour.darker (0.5f) : iconColour);
        const auto font = fontOf (faces().medium, 9.5f, 0.03f);
        text (g, label, face.withTrimmedLeft (icon == Icon::none ? 0.0f : 17.0f).withTrimmedRight (3.0f), font, ink,
              icon == Icon::none ? juce::Justification::centred : juce::Justification::centredLeft);
        return c.image;
    }

    /** A coloured dialogue button with a white label. */
    juce::Image dialogueButton (int pw, int ph, const juce::String& label, Colour base, State state)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Rectangle<float> face (0.5f, 1.5f, c.width() - 1.0f, c.height() - 3.0f);
        const auto shape = roundedRect (face, 3.5f);
        const Colour b = state == State::disabled ? Colour (0xFF5A5C5F) : state == State::pressed ? base.darker (0.45f) : base;
        dropShadow (c, shape, Colours::black.withAlpha (0.5f), 1.0f, { 0.0f, 0.8f });
        fillVertical (g, shape, b.brighter (0.18f), b.darker (0.18f));
        topHighlight (g, face.reduced (0.5f), 3.0f, Colours::white.withAlpha (0.4f));
        g.setColour (Colours::black.withAlpha (0.45f));
        g.strokePath (shape, juce::PathStrokeType (0.6f));
        const Colour ink = state == State::disabled ? Colour (0xFF9A9C9F) : Colours::white.withAlpha (state == State::pressed ? 0.7f : 1.0f);
        text (g, label, face, fontOf (faces().bold, 9.5f, 0.04f), ink);
        return c.image;
    }

    juce::Image trashCan (int pw, int ph, bool bright)
    {
        Canvas c (pw, ph);
        auto& g = c.g;
        const Colour red = bright ? Colour (0xFFFF5A4A) : Colour (0xFFE0483A).withAlpha (0.55f);
        Path lid, bin, ribs;
        lid.addRoundedRectangle (4.0f, 4.2f, 10.0f, 1.6f, 0.6f);
        lid.addRoundedRectangle (7.2f, 2.6f, 3.6f, 1.6f, 0.6f);
        bin.startNewSubPath (5.0f, 6.8f);
        bin.lineTo (13.0f, 6.8f);
        bin.lineTo (12.2f, 15.0f);
        bin.lineTo (5.8f, 15.0f);
        bin.closeSubPath();
        bin = bin.createPathWithRoundedCorners (0.9f);
        g.setColour (red);
        g.fillPath (lid);
        g.fillPath (bin);
        g.setColour (Colours::black.withAlpha (bright ? 0.35f : 0.25f));
        for (float x : { 7.6f, 9.0f, 10.4f })
            g.fillRoundedRectangle (x - 0.35f, 8.3f, 0.7f, 5.2f, 0.35f);
        return c.image;
    }
}

void addPresetPainters (std::map<std::string, Painter>& painters)
{
    painters["preset_prev_normal"] = [] (int w, int h) { return arrowKey (w, h, true, State::normal); };
    painters["preset_prev_pressed"] = [] (int w, int h) { return arrowKey (w, h, true, State::pressed); };
    painters["preset_prev_disabled"] = [] (int w, int h) { return arrowKey (w, h, true, State::disabled); };
    painters["preset_next_normal"] = [] (int w, int h) { return arrowKey (w, h, false, State::normal); };
    painters["preset_next_pressed"] = [] (int w, int h) { return arrowKey (w, h, false, State::pressed); };
    painters["preset_next_disabled"] = [] (int w, int h) { return arrowKey (w, h, false, State::disabled); };

    const char* tiles[3][3] = { { "top_left", "top", "top_right" },
                                { "left", "centre", "right" },
                                { "bottom_left", "bottom", "bottom_right" } };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            painters[std::string ("pm_frame_") + tiles[row][column] + "2x"] =
                [row, column] (int w, int h) { return frameTile (w, h, column, row); };

    painters["pm_word_category2x"] = [] (int w, int h) { return word (w, h, "CATEGORY"); };
    painters["pm_word_preset2x"] = [] (int w, int h) { return word (w, h, "PRESET"); };
    painters["pm_word_preset_name2x"] = [] (int w, int h) { return word (w, h, "PRESET NAME"); };

    const Colour green (0xFF4CC26A), blue (0xFF4FA3F2), red (0xFFF05A4A);
    painters["pm_save_normal2x"] = [=] (int w, int h) { return stripButton (w, h, "Save", Icon::tick, green, State::normal); };
    painters["pm_save_pressed2x"] = [=] (int w, int h) { return stripButton (w, h, "Save", Icon::tick, green, State::pressed); };
    painters["pm_save_disabled2x"] = [=] (int w, int h) { return stripButton (w, h, "Save", Icon::tick, green, State::disabled); };
    painters["pm_save_as_normal2x"] = [=] (int w, int h) { return stripButton (w, h, "Save as...", Icon::plus, green, State::normal); };
    painters["pm_save_as_pressed2x"] = [=] (int w, int h) { return stripButton (w, h, "Save as...", Icon::plus, green, State::pressed); };
    painters["pm_load_normal2x"] = [=] (int w, int h) { return stripButton (w, h, "Load...", Icon::arrowIn, blue, State::normal); };
    painters["pm_load_pressed2x"] = [=] (int w, int h) { return stripButton (w, h, "Load...", Icon::arrowIn, blue, State::pressed); };
    painters["pm_export_normal2x"] = [=] (int w, int h) { return stripButton (w, h, "Export...", Icon::arrowOut, red, State::normal); };
    painters["pm_export_pressed2x"] = [=] (int w, int h) { return stripButton (w, h, "Export...", Icon::arrowOut, red, State::pressed); };

    const Colour cancelRed (0xFFD64B3E), saveGreen (0xFF3FA95B), amber (0xFFE09A2D);
    painters["pm_dialog_cancel_normal2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Cancel", cancelRed, State::normal); };
    painters["pm_dialog_cancel_pressed2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Cancel", cancelRed, State::pressed); };
    painters["pm_dialog_save_normal2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Save", saveGreen, State::normal); };
    painters["pm_dialog_save_pressed2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Save", saveGreen, State::pressed); };
    painters["pm_dialog_save_disabled2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Save", saveGreen, State::disabled); };
    painters["pm_overwrite_normal2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Overwrite", amber, State::normal); };
    painters["pm_overwrite_pressed2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Overwrite", amber, State::pressed); };
    painters["pm_delete_normal2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Delete", saveGreen, State::normal); };
    painters["pm_delete_pressed2x"] = [=] (int w, int h) { return dialogueButton (w, h, "Delete", saveGreen, State::pressed); };

    painters["pm_trash_normal2x"] = [] (int w, int h) { return trashCan (w, h, false); };
    painters["pm_trash_pressed2x"] = [] (int w, int h) { return trashCan (w, h, true); };
}

} // namespace corvane::art
