// Renders every embedded picture and every control in its states into PNG files, for
// review by eye. Writes into the folder given as the first argument, or <build>/gallery.
//
//   pictures.png          every picture at its native (2x) size on the panel colour
//   window.png            a mock-up of the whole window with real controls, at 2x
//   controls/*.png        each control in rest, pressed, each position, minimum, maximum

#include <juce_gui_basics/juce_gui_basics.h>

#include "editor/panels/OVChangeView.h"
#include "editor/panels/OVMeters.h"
#include "editor/widgets/CorvaneSwitch.h"
#include "editor/widgets/OVImageKnob.h"
#include "editor/widgets/OVSlider.h"
#include "editor/widgets/OVStepper.h"
#include "editor/widgets/WaveSelector.h"
#include "resources/ArtworkCatalogue.h"
#include "resources/EmbeddedFonts.h"
#include "resources/ImageStore.h"

namespace
{
using namespace corvane;

const juce::Colour panelColour (0xFFB7C1C7);

juce::File outputFolder;

void save (const juce::Image& image, const juce::String& relativePath)
{
    const auto file = outputFolder.getChildFile (relativePath);
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
}

juce::Image pictureFor (const ArtworkEntry& e)
{
    const juce::String stem (e.fileStem);
    return stem.endsWith ("2x") ? loadImage (stem.dropLastCharacters (2))
                                : loadResourceImage ((stem + "_png").toRawUTF8());
}

/** Synthesised mouse input, delivered straight to a component's handlers. */
struct Mouse
{
    static juce::MouseEvent at (juce::Component& c, juce::Point<float> p, juce::ModifierKeys mods = {}, int clicks = 1)
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), p, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, p, now, clicks, false };
    }
};

//==============================================================================
void writePictureSheet (EmbeddedFonts& fonts)
{
    const int columnWidth = 460, pad = 12, labelHeight = 18;
    std::vector<std::pair<juce::String, juce::Image>> items;
    for (const auto& e : artworkCatalogue)
        items.emplace_back (e.fileStem, pictureFor (e));

    // the two full-window layers get their own files; the rest go on a sheet in columns
    int x = pad, y = pad, rowHeight = 0, width = 2 * 1024;
    struct Placed { juce::String name; juce::Image image; int x, y; };
    std::vector<Placed> placed;
    for (auto& [name, image] : items)
    {
        if (image.getWidth() >= 1000)
        {
            juce::Image onPanel (juce::Image::ARGB, image.getWidth(), image.getHeight(), true);
            juce::Graphics g (onPanel);
            g.fillAll (panelColour);
            g.drawImageAt (image, 0, 0);
            save (onPanel, "pictures/" + name + "_on_panel.png");
            continue;
        }
        const int w = juce::jmax (image.getWidth(), 120);
        if (x + w + pad > width)
        {
            x = pad;
            y += rowHeight + labelHeight + pad;
            rowHeight = 0;
        }
        placed.push_back ({ name, image, x, y });
        x += w + pad;
        rowHeight = juce::jmax (rowHeight, image.getHeight());
        juce::ignoreUnused (columnWidth);
    }
    const int height = y + rowHeight + labelHeight + pad;

    juce::Image sheet (juce::Image::ARGB, width, height, true);
    juce::Graphics g (sheet);
    g.fillAll (panelColour);
    g.setFont (fonts.makeFont (EmbeddedFonts::Face::condensed, 13.0f));
    for (auto& p : placed)
    {
        // pictures meant for the dark preset panel are shown on its colour
        if (p.name.startsWith ("pm_"))
        {
            g.setColour (juce::Colour (0xFF333436));
            g.fillRect (p.x - 4, p.y - 4, p.image.getWidth() + 8, p.image.getHeight() + 8);
        }
        if (! p.image.isValid())
        {
            g.setColour (juce::Colours::red);
            g.drawRect (p.x, p.y, 60, 20);
        }
        g.drawImageAt (p.image, p.x, p.y);
        g.setColour (juce::Colours::black);
        g.drawText (p.name + " " + juce::String (p.image.getWidth()) + "x" + juce::String (p.image.getHeight()),
                    p.x, p.y + juce::jmax (p.image.getHeight(), 1) + 2, 300, labelHeight - 2, juce::Justification::topLeft);
    }
    save (sheet, "pictures.png");
}

//==============================================================================
/** Puts a control on a piece of panel and writes it at 2x. */
void snapshot (juce::Component& control, const juce::String& name, juce::Colour background = panelColour, int margin = 6)
{
    juce::Component holder;
    holder.setSize (control.getWidth() + 2 * margin, control.getHeight() + 2 * margin);
    holder.setOpaque (false);
    control.setTopLeftPosition (margin, margin);
    holder.addAndMakeVisible (control);
    juce::Image image (juce::Image::ARGB, holder.getWidth() * 2, holder.getHeight() * 2, true);
    {
        juce::Graphics g (image);
        g.fillAll (background);
        g.addTransform (juce::AffineTransform::scale (2.0f));
        holder.paintEntireComponent (g, true);
    }
    holder.removeChildComponent (&control);
    save (image, "controls/" + name + ".png");
}

void writeControlStates (EmbeddedFonts& fonts)
{
    // buttons of the wave selector, each state
    {
        WaveSelector selector;
        const char* names[] = { "transistor", "tube", "plasma", "sine" };
        for (int i = 0; i < 4; ++i)
            selector.setButtonImages (i, loadImage (names[i]), loadImage (juce::String (names[i]) + "_active"));
        selector.setSize (65, 65);
        for (int i = 0; i < 4; ++i)
        {
            selector.setValue ((float) i / 3.0f);
            snapshot (selector, "wave_selector_position" + juce::String (i), juce::Colour (0xFF1B1F23));
        }
        auto& b = selector.getButton (2);
        b.mouseDown (Mouse::at (b, { 5.0f, 5.0f }));
        snapshot (selector, "wave_selector_button2_pressed", juce::Colour (0xFF1B1F23));
        b.mouseUp (Mouse::at (b, { 5.0f, 5.0f }));
    }

    // stepper
    {
        OVStepper stepper;
        stepper.setFont (fonts.semitoneFont);
        stepper.setRange (-11, 11);
        stepper.setSize (65, 30);
        for (auto [v, name] : { std::pair<float, const char*> { 0.0f, "min" }, { 0.5f, "rest" }, { 1.0f, "max" } })
        {
            stepper.setValue (v);
            snapshot (stepper, juce::String ("stepper_") + name, juce::Colour (0xFF22272C));
        }
        auto& plus = stepper.getPlusButton();
        plus.mouseDown (Mouse::at (plus, { 5.0f, 5.0f }));
        snapshot (stepper, "stepper_plus_pressed", juce::Colour (0xFF22272C));
        plus.mouseUp (Mouse::at (plus, { -50.0f, 5.0f }));
    }

    // faders
    {
        const char* thumbs[] = { "fader_green", "fader_yellow", "fader_purple", "fader_red", "fader_white" };
        for (auto* thumb : thumbs)
        {
            CorvaneSlider fader;
            fader.setTrackImage (loadImage ("fader_track_short"));
            fader.setThumbImage (loadImage (thumb));
            fader.setSize (83, 189);
            for (auto [v, name] : { std::pair<float, const char*> { 0.0f, "min" }, { 0.707f, "rest" }, { 1.0f, "max" } })
            {
                fader.setValue (v);
                snapshot (fader, juce::String (thumb) + "_" + name);
            }
        }

        FineSlider fine;
        fine.setTrackImage (loadImage ("FINE_track"));
        fine.setThumbImage (loadImage ("pitchtrack_knob"));
        fine.setSize (63, 12);
        for (auto [v, name] : { std::pair<float, const char*> { 0.0f, "min" }, { 0.5f, "rest" }, { 1.0f, "max" } })
        {
            fine.setValue (v);
            snapshot (fine, juce::String ("fine_slider_") + name);
        }

        OctaveSlider octave;
        octave.setTrackImage (loadImage ("corvane_OCT_track_type"));
        octave.setThumbImage (loadImage ("pitchtrack_knob"));
        octave.setSize (27, 63);
        for (int i = 0; i < 4; ++i)
        {
            octave.setValue ((float) i / 3.0f);
            snapshot (octave, "octave_slider_position" + juce::String (i));
        }

        DriveSlider drive;
        drive.setTrackImage (loadImage ("bg_drive_switch"));
        drive.setThumbImage (loadImage ("btn_drive_switch"));
        drive.setSize (73, 20);
        for (auto [v, name] : { std::pair<float, const char*> { 0.0f, "min" }, { 0.5f, "rest" }, { 1.0f, "max" } })
        {
            drive.setValue (v);
            snapshot (drive, juce::String ("drive_slider_") + name);
        }
    }

    // knobs: continuous at min, middle and max; the four-step chorus knob at each position
    {
        CorvaneKnob knob;
        knob.setBackgroundImage (loadImage ("knob_plate"));
        knob.setKnobImage (loadImage ("knob_handle"));
        knob.setShadowImage (loadImage ("knob_shadow"));
        knob.setSize (87, 87);
        knob.setAngles (3.926991f, 4.712389f);
        for (auto [v, name] : { std::pair<float, const char*> { 0.0f, "min" }, { 0.5f, "rest" }, { 1.0f, "max" } })
        {
            knob.setValue (v);
            snapshot (knob, juce::String ("knob_") + name, panelColour, 14);
        }
        knob.setAngles (5.0265484f, 2.5132742f);
        knob.setNumSteps (4);
        for (int i = 0; i < 4; ++i)
        {
            knob.setValue ((float) i / 3.0f);
            snapshot (knob, "knob_stepped_position" + juce::String (i), panelColour, 14);
        }
    }

    // phaser mode switch at each position
    {
        CorvaneSwitch sw;
        sw.setNumSteps (3);
        sw.setCellSpacing (4.0f);
        sw.setPositionImage (0, loadImage ("switch_off"));
        sw.setPositionImage (1, loadImage ("switch_on"));
        sw.setPositionImage (2, loadImage ("switch_on"));
        sw.setSize (25, 69);
        const auto frame = loadImage ("switch_3d");
        for (int i = 0; i < 3; ++i)
        {
            sw.setValue ((float) i / 2.0f);
            juce::Component holder;
            holder.setSize (53, 97);
            sw.setTopLeftPosition (15, 15);
            holder.addAndMakeVisible (sw);
            juce::Image image (juce::Image::ARGB, 106, 194, true);
            juce::Graphics g (image);
            g.fillAll (panelColour);
            g.drawImageAt (frame, 0, 0);
            g.addTransform (juce::AffineTransform::scale (2.0f));
            holder.paintEntireComponent (g, true);
            holder.removeChildComponent (&sw);
            save (image, "controls/switch_position" + juce::String (i) + ".png");
        }
    }

    // meter at the levels that matter, and the read-out
    {
        OVMeters meter;
        meter.setDiodeImages (loadImage ("diod_normal"), loadImage ("diod_yellow"), loadImage ("diod_red"), loadImage ("diod_off"));
        meter.setSize (3, 142);
        for (float db : { -100.0f, -97.0f, -30.0f, -10.0f, 0.0f, 6.0f })
        {
            meter.setLevelDb (db);
            snapshot (meter, "meter_" + juce::String ((int) db) + "dB", juce::Colour (0xFF262B30));
        }

        OVChangeView readout;
        readout.setSize (50, 16);
        readout.setAlpha (1.0f);
        for (auto [s, name] : { std::pair<const char*, const char*> { "71 %", "short" }, { "8.00 Hz", "unit" },
                                { "DCY 1.23 s | SUS 45 %", "too_long" }, { "", "empty" } })
        {
            readout.text = s;
            snapshot (readout, juce::String ("readout_") + name);
        }
    }
}

//==============================================================================
/** A stand-in for the editor window, built from the real pictures and controls, to judge
    the look as a whole. */
struct MockWindow : public juce::Component
{
    explicit MockWindow (EmbeddedFonts& f) : fonts (f)
    {
        setSize (1024, 335);
        const char* waves[] = { "transistor", "tube", "plasma", "sine" };
        const char* thumbs[] = { "fader_green", "fader_yellow", "fader_purple", "fader_red" };
        for (int i = 0; i < 4; ++i)
        {
            auto& v = vox[(size_t) i];
            const int x0 = 128 * i;
            for (int b = 0; b < 4; ++b)
                v.selector.setButtonImages (b, loadImage (waves[b]), loadImage (juce::String (waves[b]) + "_active"));
            v.selector.setBounds (x0 + 38, 14, 65, 65);
            v.selector.setValue ((float) i / 3.0f);
            v.stepper.setFont (fonts.semitoneFont);
            v.stepper.setRange (-11, 11);
            v.stepper.setBounds (x0 + 38, 88, 65, 30);
            v.stepper.setValue (0.5f + 0.04f * (float) (i - 1));
            v.fine.setTrackImage (loadImage ("FINE_track"));
            v.fine.setThumbImage (loadImage ("pitchtrack_knob"));
            v.fine.setBounds (x0 + 40, 126, 63, 12);
            v.fine.setValue (0.5f + 0.1f * (float) (i - 2));
            v.level.setTrackImage (loadImage ("fader_track_short"));
            v.level.setThumbImage (loadImage (thumbs[i]));
            v.level.setBounds (x0 + 45, 146, 83, 189);
            v.level.setValue (0.707f - 0.12f * (float) i);
            v.octave.setTrackImage (loadImage ("corvane_OCT_track_type"));
            v.octave.setThumbImage (loadImage ("pitchtrack_knob"));
            v.octave.setBounds (x0 + 13, 208, 27, 63);
            v.octave.setValue ((float) ((i + 1) % 4) / 3.0f);
            for (juce::Component* c : std::initializer_list<juce::Component*> { &v.level, &v.stepper, &v.fine, &v.octave, &v.selector })
                addAndMakeVisible (c);
        }

        for (auto* k : { &chorus, &rate, &reverb })
        {
            k->setBackgroundImage (loadImage ("knob_plate"));
            k->setKnobImage (loadImage ("knob_handle"));
            k->setShadowImage (loadImage ("knob_shadow"));
            addAndMakeVisible (k);
        }
        chorus.setAngles (5.0265484f, 2.5132742f);
        chorus.setNumSteps (4);
        chorus.setValue (2.0f / 3.0f);
        rate.setAngles (3.926991f, 4.712389f);
        rate.setValue (0.35f);
        reverb.setAngles (3.926991f, 4.712389f);
        reverb.setValue (0.6f);
        chorus.setBounds (512 + 20, 138 + 17, 87, 87);
        rate.setBounds (512 + 136, 138 + 17, 87, 87);
        reverb.setBounds (512 + 308, 138 + 17, 87, 87);

        modeSwitch.setNumSteps (3);
        modeSwitch.setCellSpacing (4.0f);
        modeSwitch.setPositionImage (0, loadImage ("switch_off"));
        modeSwitch.setPositionImage (1, loadImage ("switch_on"));
        modeSwitch.setPositionImage (2, loadImage ("switch_on"));
        modeSwitch.setBounds (512 + 238, 138 + 33, 25, 69);
        modeSwitch.setValue (0.5f);
        addAndMakeVisible (modeSwitch);

        drive.setTrackImage (loadImage ("bg_drive_switch"));
        drive.setThumbImage (loadImage ("btn_drive_switch"));
        drive.setBounds (831, 288, 73, 20);
        drive.setValue (0.3f);
        addAndMakeVisible (drive);

        output.setTrackImage (loadImage ("fader_track_short"));
        output.setThumbImage (loadImage ("fader_white"));
        output.setBounds (948, 148, 83, 189);
        output.setValue (1.0f / 1.5f);
        addAndMakeVisible (output);

        meter.setDiodeImages (loadImage ("diod_normal"), loadImage ("diod_yellow"), loadImage ("diod_red"), loadImage ("diod_off"));
        meter.setBounds (997, 165, 3, 142);
        meter.setLevelDb (-6.0f);
        addAndMakeVisible (meter);

        readout.setBounds (948 + 25 - 25 - 10, 148 - 21 + 40, 50, 16);
        readout.text = "67 %";
        readout.setAlpha (1.0f);
        addAndMakeVisible (readout);
    }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colour (0xFFB7C1C7));
        g.drawImage (loadImage ("overlay"), { 0.0f, 0.0f, 1024.0f, 335.0f });
        g.setColour (juce::Colour (0x26FFFFFF));
        g.fillRect (128, 0, 384, 335);
        g.fillRect (256, 0, 256, 335);
        g.fillRect (384, 0, 128, 335);
        g.fillRect (512, 0, 410, 138);
        g.fillRect (922, 0, 102, 335);
        g.setColour (juce::Colour (0x26FFFDFD));
        g.fillRect (512, 275, 410, 60);
        g.setColour (juce::Colour (0x4CFFFFFF));
        g.fillRect (817, 275, 105, 60);
        g.drawImage (loadImage ("noise_overlay"), { 0.0f, 0.0f, 1024.0f, 335.0f });
        g.setFont (fonts.captionFont);
        g.setColour (juce::Colours::black);
        g.drawText ("DRIVE", juce::Rectangle<float> (817, 310, 105, 14), juce::Justification::centred);
        g.setColour (juce::Colours::white);
        g.drawText ("OUTPUT", juce::Rectangle<float> (922, 128, 102, 14), juce::Justification::centred);
        g.setColour (juce::Colour (0x26FFFFFF));
        g.fillRoundedRectangle (517, 4, 405, 129, 5);
        g.setColour (juce::Colours::black);
        g.setFont (fonts.adsrFont);
        g.drawText ("ADSR", juce::Rectangle<float> (884, 12, 30, 10), juce::Justification::centred);
        g.drawImage (loadImage ("preset_3d"), { 514.0f, 274.0f, 298.0f, 58.0f });
        const auto logo = loadImage ("corvane_logo");
        g.drawImageTransformed (logo, juce::AffineTransform::scale (0.5f).translated (922.0f, 0.0f));
        g.setFont (fonts.versionFont);
        g.drawText ("v1.1.1", juce::Rectangle<float> (922, 84, 102, 17), juce::Justification::centred);

        // oscillator panel frames, captions and numbers
        for (int i = 0; i < 4; ++i)
        {
            const float x0 = 128.0f * (float) i;
            g.drawImage (loadImage ("selector_3d"), { x0 + 23, 0, 93, 93 });
            g.drawImage (loadImage ("stepper_3d"), { x0 + 23, 73, 93, 58 });
            g.setColour (juce::Colours::black);
            g.setFont (fonts.voxCaptionFont);
            g.drawText ("TYPE", juce::Rectangle<float> (x0, 13, 37, 65), juce::Justification::centredRight);
            g.drawText ("SEMI", juce::Rectangle<float> (x0, 88, 37, 30), juce::Justification::centredRight);
            g.drawText ("FINE", juce::Rectangle<float> (x0, 126, 37, 12), juce::Justification::centredRight);
            g.drawText ("OCT", juce::Rectangle<float> (x0 + 5, 271, 28, 20), juce::Justification::centred);
            g.setColour (juce::Colour (0xFF676F77));
            g.setFont (fonts.voxNumberFont);
            g.drawText (juce::String (i + 1), juce::Rectangle<float> (x0, 296, 39, 39), juce::Justification::centred);
        }

        // envelope
        {
            juce::Graphics::ScopedSaveState s (g);
            g.setOrigin (512, 0);
            g.drawImage (loadResourceImage ("bg_envelope_png"), { 0.0f, 0.0f, 410.0f, 138.0f });
            juce::Path curve;
            curve.startNewSubPath (17, 113);
            curve.quadraticTo (25, 29, 60, 29);
            curve.cubicTo (60, 60, 75, 70, 120, 70);
            curve.lineTo (172.6f, 70);
            curve.cubicTo (172.6f, 105, 200, 113, 300, 113);
            for (auto p : { juce::Point<float> (60, 29), { 120, 70 }, { 300, 113 } })
            {
                g.setColour (juce::Colour (0x66FFFFFF));
                g.fillEllipse (p.x - 8, p.y - 8, 16, 16);
            }
            g.setColour (juce::Colours::white);
            g.strokePath (curve, juce::PathStrokeType (1.0f));
            g.setColour (juce::Colour (0xFF9C9C9C));
            g.setFont (fonts.captionFont);
            g.drawText ("A", juce::Rectangle<float> (53, 114, 16, 24), juce::Justification::centred);
            g.drawText ("D", juce::Rectangle<float> (113, 114, 16, 24), juce::Justification::centred);
            g.drawText ("R", juce::Rectangle<float> (293, 114, 16, 24), juce::Justification::centred);
            g.drawText ("S", juce::Rectangle<float> (164.6f, 48, 16, 24), juce::Justification::centred);
            g.drawImage (loadResourceImage ("envelope_title_png"), { 163.0f, 9.0f, 77.0f, 19.0f });
            g.drawText ("ENVELOPE", juce::Rectangle<float> (172.5f, 5, 57, 14), juce::Justification::centred);
        }

        // effects captions, the switch frame and the LED plate
        {
            juce::Graphics::ScopedSaveState s (g);
            g.setOrigin (512, 138);
            g.setColour (juce::Colours::black);
            g.setFont (fonts.captionFont);
            g.drawText ("CHORUS", juce::Rectangle<float> (22, 102, 83, 28), juce::Justification::centred);
            g.drawText ("PHASER", juce::Rectangle<float> (138, 102, 83, 28), juce::Justification::centred);
            g.drawText ("MODE", juce::Rectangle<float> (228, 102, 45, 28), juce::Justification::centred);
            g.drawText ("REVERB", juce::Rectangle<float> (310, 102, 83, 28), juce::Justification::centred);
            g.setFont (fonts.rateFont);
            g.drawText ("RATE", juce::Rectangle<float> (136, 8, 87, 9), juce::Justification::centred);
            g.drawImageTransformed (loadImage ("switch_3d"), juce::AffineTransform::scale (0.5f).translated (223.0f, 18.0f));
            const char* modes[] = { "0", "A", "B" };
            for (int i = 0; i < 3; ++i)
                g.drawText (modes[i], juce::Rectangle<float> (265, 37.0f + 22.0f * (float) i, 17, 17), juce::Justification::centred);
            g.setFont (fonts.chorusLabelFont);
            const char* chorusLabels[] = { "0", "I", "II", "III" };
            for (int i = 0; i < 4; ++i)
            {
                const float a = 5.0265484f + 2.5132742f * (float) i / 3.0f;
                const float cx = 20 + 43.5f + 50.5f * std::sin (a), cy = 17 + 43.5f - 50.5f * std::cos (a);
                g.drawText (chorusLabels[i], juce::Rectangle<float> (cx - 8, cy - 6, 16, 12), juce::Justification::centred);
            }
            g.drawImageTransformed (loadImage ("led_plate"), juce::AffineTransform::scale (0.5f).translated (145.0f, 111.0f));
            g.setColour (juce::Colour (0xFFFF0000).withAlpha (0.8f));
            g.fillEllipse (146, 112, 6, 6);
        }

        // the preset name in its display, and the zoom icon
        {
            const juce::Rectangle<float> bar (530, 289, 268, 30);
            g.drawImage (loadResourceImage ("preset_prev_normal_png"), bar.withWidth (30));
            g.drawImage (loadResourceImage ("preset_next_normal_png"), bar.withTrimmedLeft (238));
            g.setColour (juce::Colours::black);
            g.setFont (fonts.presetNameFont);
            g.drawText ("Chorale", bar, juce::Justification::centred);
            g.drawImage (loadImage ("zoom"), { 7.0f, 7.0f, 16.0f, 16.0f });
        }
    }

    EmbeddedFonts& fonts;
    struct Vox
    {
        WaveSelector selector;
        OVStepper stepper;
        FineSlider fine;
        CorvaneSlider level;
        OctaveSlider octave;
    };
    std::array<Vox, 4> vox;
    CorvaneKnob chorus, rate, reverb;
    CorvaneSwitch modeSwitch;
    DriveSlider drive;
    CorvaneSlider output;
    OVMeters meter;
    OVChangeView readout;
};

/** The preset manager panel put together from its tiles, words and buttons, as the
    preset view lays them out, to judge the pictures together. */
void writePresetPanel (EmbeddedFonts& fonts)
{
    const int W = 370, H = 335;
    juce::Image image (juce::Image::ARGB, W * 2, H * 2, true);
    juce::Graphics g (image);
    g.fillAll (panelColour);
    g.addTransform (juce::AffineTransform::scale (2.0f));

    const char* names[3][3] = { { "top_left", "top", "top_right" }, { "left", "centre", "right" }, { "bottom_left", "bottom", "bottom_right" } };
    const float xs[] = { 0.0f, 16.0f, (float) W - 16.0f, (float) W }, ys[] = { 0.0f, 16.0f, (float) H - 16.0f, (float) H };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.drawImage (loadImage (juce::String ("pm_frame_") + names[r][c]),
                         { xs[c], ys[r], xs[c + 1] - xs[c], ys[r + 1] - ys[r] }, juce::RectanglePlacement::stretchToFit);

    juce::Path header;
    header.addRoundedRectangle (12.0f, 12.0f, (float) W - 24.0f, 40.0f, 2.0f, 2.0f, true, true, false, false);
    g.setColour (juce::Colour (0xFF141414));
    g.fillPath (header);
    const float listW = 0.4f * (float) (W - 32);
    g.drawImage (loadImage ("pm_word_category"), { 19.0f, 60.0f, 41.0f, 7.0f });
    g.drawImage (loadImage ("pm_word_preset"), { listW + 36.0f, 60.0f, 30.0f, 7.0f });
    g.setColour (juce::Colour (0xFF2B2B2B));
    g.fillRoundedRectangle (19.0f, 70.0f, listW + 10.0f, (float) H - 91.0f, 2.0f);
    g.fillRoundedRectangle (listW + 36.0f, 70.0f, 0.6f * (float) (W - 32) - 24.0f, (float) H - 91.0f, 2.0f);

    // the button strip inside the header
    const float stripX = 20.0f, stripY = 20.0f, stripW = (float) W - 40.0f;
    g.drawImage (loadImage ("pm_save_normal"), { stripX, stripY, 53.0f, 24.0f });
    g.drawImage (loadImage ("pm_save_as_normal"), { stripX + 61.0f, stripY, 72.0f, 24.0f });
    g.drawImage (loadImage ("pm_load_normal"), { stripX + stripW - 68.0f - 60.0f - 8.0f, stripY, 60.0f, 24.0f });
    g.drawImage (loadImage ("pm_export_normal"), { stripX + stripW - 68.0f, stripY, 68.0f, 24.0f });

    g.setFont (fonts.makeFont (EmbeddedFonts::Face::medium, 13.0f));
    const char* banks[] = { "Organ", "Strings", "Bass", "User Presets" };
    for (int i = 0; i < 4; ++i)
    {
        if (i == 0)
        {
            g.setColour (juce::Colour (0xFF555555));
            g.fillRect (19.0f, 70.0f + 24.0f * (float) i, listW + 2.0f, 24.0f);
        }
        g.setColour (juce::Colours::white);
        g.drawText (banks[i], juce::Rectangle<float> (24.0f, 70.0f + 24.0f * (float) i, listW - 5.0f, 24.0f), juce::Justification::centredLeft);
    }
    const char* presets[] = { "Chorale", "Cathedral", "Drawbars", "Gospel Swell" };
    for (int i = 0; i < 4; ++i)
    {
        const float y = 70.0f + 24.0f * (float) i, x = listW + 36.0f, w = 0.6f * (float) (W - 32) - 26.0f;
        g.setColour (juce::Colours::white);
        g.drawText (presets[i], juce::Rectangle<float> (x + 5.0f, y, w - 5.0f, 24.0f), juce::Justification::centredLeft);
        g.drawImage (loadImage (i == 1 ? "pm_trash_pressed" : "pm_trash_normal"), { x + w - 24.0f, y + 3.0f, 18.0f, 18.0f });
    }

    // the save-as overlay's buttons and label, below the lists
    const float fx = (float) W / 2.0f - 100.0f, fy = 250.0f;
    g.setColour (juce::Colour (0xFF333333));
    g.fillRoundedRectangle (fx - 7.0f, fy - 18.4f, 214.0f, 78.0f, 4.0f);
    g.setColour (juce::Colour (0xFFEEEEEE));
    g.fillRoundedRectangle (fx, fy, 200.0f, 24.0f, 4.0f);
    g.drawImage (loadImage ("pm_word_preset_name"), { fx, fy - 11.0f, 53.0f, 7.0f });
    g.drawImage (loadImage ("pm_dialog_cancel_normal"), { fx + 200.0f - 48.0f - 56.0f - 8.0f, fy + 29.0f, 48.0f, 24.0f });
    g.drawImage (loadImage ("pm_dialog_save_normal"), { fx + 200.0f - 56.0f, fy + 29.0f, 56.0f, 24.0f });
    save (image, "preset_panel.png");
}

void writeWindow (EmbeddedFonts& fonts)
{
    MockWindow window (fonts);
    for (float scale : { 1.0f, 2.0f })
    {
        juce::Image image (juce::Image::ARGB, juce::roundToInt (1024 * scale), juce::roundToInt (335 * scale), true);
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        window.paintEntireComponent (g, true);
        save (image, scale == 1.0f ? "window_100.png" : "window.png");
        if (scale == 2.0f)
        {
            // close-ups at 2x, to judge sharpness
            save (image.getClippedImage ({ 0, 0, 512, 670 }), "window_2x_oscillators.png");
            save (image.getClippedImage ({ 1024, 0, 820, 276 }), "window_2x_envelope.png");
            save (image.getClippedImage ({ 1024, 276, 820, 394 }), "window_2x_effects.png");
            save (image.getClippedImage ({ 1844, 0, 204, 670 }), "window_2x_output.png");
        }
    }
}

} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI gui;
    outputFolder = argc > 1 ? juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]) : juce::File (CORVANE_GALLERY_DIR);
    outputFolder.createDirectory();
    {
        juce::SharedResourcePointer<EmbeddedFonts> fonts;
        writePictureSheet (*fonts);
        writeControlStates (*fonts);
        writeWindow (*fonts);
        writePresetPanel (*fonts);
    }
    std::printf ("gallery written to %s\n", outputFolder.getFullPathName().toRawUTF8());
    return 0;
}
