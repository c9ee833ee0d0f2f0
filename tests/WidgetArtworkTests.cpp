// The embedded pictures and fonts.

#include "WidgetTestSupport.h"

#include "editor/widgets/OVSlider.h"
#include "resources/ArtworkCatalogue.h"
#include "resources/EmbeddedFonts.h"
#include "resources/ImageStore.h"

#include <gtest/gtest.h>

namespace corvane::test
{

namespace
{
    juce::Image loadEntry (const ArtworkEntry& e)
    {
        const juce::String stem (e.fileStem);
        if (stem.endsWith ("2x"))
            return loadImage (stem.dropLastCharacters (2));
        return loadResourceImage ((stem + "_png").toRawUTF8());
    }

    int countInk (const juce::Image& image)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += image.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;
        return n;
    }
}

TEST (WidgetArtwork, EveryPictureIsEmbeddedAtItsExactSize)
{
    for (const auto& e : artworkCatalogue)
    {
        const auto image = loadEntry (e);
        ASSERT_TRUE (image.isValid()) << e.fileStem;
        EXPECT_EQ (image.getWidth(), e.width) << e.fileStem;
        EXPECT_EQ (image.getHeight(), e.height) << e.fileStem;
        EXPECT_EQ (e.width % 2, 0) << e.fileStem;
        EXPECT_EQ (e.height % 2, 0) << e.fileStem;
        EXPECT_GT (countInk (image), 0) << e.fileStem << " is blank";
    }
}

TEST (WidgetArtwork, NamedPicturesOfTheEditor)
{
    // the names the panels load, with the sizes they are drawn from
    struct Named { const char* name; int w, h; };
    const Named named[] = {
        { "overlay", 2048, 670 }, { "noise_overlay", 2048, 670 }, { "corvane_logo", 204, 174 }, { "preset_3d", 596, 116 },
        { "fader_track_short", 100, 354 }, { "fader_white", 166, 154 }, { "bg_drive_switch", 144, 36 },
        { "btn_drive_switch", 22, 22 }, { "diod_normal", 6, 6 }, { "diod_yellow", 6, 6 }, { "diod_red", 6, 6 },
        { "diod_off", 6, 6 }, { "selector_3d", 186, 186 }, { "stepper_3d", 186, 116 }, { "fader_green", 166, 154 },
        { "fader_yellow", 166, 154 }, { "fader_purple", 166, 154 }, { "fader_red", 166, 154 }, { "FINE_track", 126, 24 },
        { "pitchtrack_knob", 16, 16 }, { "corvane_OCT_track_type", 54, 126 }, { "transistor", 64, 64 }, { "tube", 64, 64 },
        { "plasma", 64, 64 }, { "sine", 64, 64 }, { "transistor_active", 64, 64 }, { "tube_active", 64, 64 },
        { "plasma_active", 64, 64 }, { "sine_active", 64, 64 }, { "switch_off", 34, 34 }, { "switch_on", 34, 34 },
        { "led_plate", 16, 16 }, { "switch_3d", 106, 194 }, { "knob_plate", 174, 174 }, { "knob_handle", 174, 174 },
        { "knob_shadow", 174, 174 }, { "zoom", 32, 32 },
    };
    for (const auto& n : named)
    {
        const auto image = loadImage (n.name);
        ASSERT_TRUE (image.isValid()) << n.name;
        EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, n.w, n.h)) << n.name;
    }

    const auto envelope = loadResourceImage (resourcenames::envelopeBackground);
    EXPECT_EQ (envelope.getBounds(), juce::Rectangle<int> (0, 0, 820, 276));
    EXPECT_EQ (loadResourceImage (resourcenames::envelopeTitle).getBounds(), juce::Rectangle<int> (0, 0, 154, 38));
    for (auto* r : { resourcenames::previousNormal, resourcenames::previousPressed, resourcenames::previousDisabled })
        EXPECT_EQ (loadResourceImage (r).getBounds(), juce::Rectangle<int> (0, 0, 56, 60)) << r;
    for (auto* r : { resourcenames::nextNormal, resourcenames::nextPressed, resourcenames::nextDisabled })
        EXPECT_EQ (loadResourceImage (r).getBounds(), juce::Rectangle<int> (0, 0, 54, 60)) << r;
}

TEST (WidgetArtwork, PicturesAreDecodedOnceAndShared)
{
    const auto a = loadImage ("knob_plate");
    const auto b = loadImage ("knob_plate");
    ASSERT_TRUE (a.isValid());
    EXPECT_EQ (a.getPixelData(), b.getPixelData());
}

TEST (WidgetArtwork, UnknownNamesGiveInvalidPicturesThatDrawNothing)
{
    EXPECT_FALSE (loadImage ("no_such_picture").isValid());
    EXPECT_FALSE (loadImage ("").isValid());
    EXPECT_FALSE (loadImage ("knob_plate2x").isValid());
    EXPECT_FALSE (loadResourceImage (nullptr).isValid());
    int size = -1;
    EXPECT_EQ (getResourceData ("nothing_png", size), nullptr);
    EXPECT_EQ (size, 0);

    FineSlider slider;
    slider.setSize (63, 12);
    slider.setTrackImage (loadImage ("missing"));
    slider.setThumbImage (loadImage ("pitchtrack_knob"));
    slider.setValue (0.5f);
    const auto image = render (slider, 2.0f);
    EXPECT_EQ (image.getPixelAt (2, 2).getAlpha(), 0) << "no track drawn";
    EXPECT_GT (image.getPixelAt (63, 12).getAlpha(), 0) << "the thumb still draws";
}

TEST (WidgetArtwork, WaveIconsDifferBetweenOffAndLit)
{
    for (auto* name : { "transistor", "tube", "plasma", "sine" })
    {
        const auto off = loadImage (name), on = loadImage (juce::String (name) + "_active");
        int different = 0;
        for (int y = 0; y < 64; y += 2)
            for (int x = 0; x < 64; x += 2)
                different += off.getPixelAt (x, y) != on.getPixelAt (x, y) ? 1 : 0;
        EXPECT_GT (different, 100) << name;
    }
}

TEST (WidgetFonts, FourFacesAreEmbeddedAndShared)
{
    juce::SharedResourcePointer<EmbeddedFonts> fonts, again;
    EXPECT_EQ (&*fonts, &*again);
    for (auto face : { EmbeddedFonts::Face::medium, EmbeddedFonts::Face::bold, EmbeddedFonts::Face::light, EmbeddedFonts::Face::condensed })
        ASSERT_NE (fonts->getTypeface (face), nullptr);

    EXPECT_EQ (fonts->captionFont.getTypefacePtr(), fonts->getTypeface (EmbeddedFonts::Face::medium));
    EXPECT_FLOAT_EQ (fonts->captionFont.getHeight(), 10.0f);
    EXPECT_FLOAT_EQ (fonts->captionFont.getExtraKerningFactor(), 0.06f);
    EXPECT_FLOAT_EQ (fonts->voxCaptionFont.getHeight(), 8.5f);
    EXPECT_FLOAT_EQ (fonts->adsrFont.getExtraKerningFactor(), 0.1f);
    EXPECT_FLOAT_EQ (fonts->rateFont.getExtraKerningFactor(), 0.08f);
    EXPECT_FLOAT_EQ (fonts->voxNumberFont.getHeight(), 18.0f);
    EXPECT_FLOAT_EQ (fonts->presetNameFont.getHeight(), 12.0f);
    EXPECT_FLOAT_EQ (fonts->semitoneFont.getExtraKerningFactor(), 0.0f);
    EXPECT_EQ (fonts->versionFont.getTypefacePtr(), fonts->getTypeface (EmbeddedFonts::Face::condensed));
    EXPECT_EQ (fonts->getTypeface (EmbeddedFonts::Face::condensed)->getName(), "Roboto Condensed");
    EXPECT_EQ (fonts->getTypeface (EmbeddedFonts::Face::bold)->getName(), "Quicksand");
}

TEST (WidgetFonts, DefaultFontDrawsTextWithoutSystemFonts)
{
    // the value read-out uses JUCE's default sans-serif face: it must draw with the embedded one
    juce::SharedResourcePointer<EmbeddedFonts> fonts;
    EXPECT_EQ (juce::Font (12.0f).getTypefacePtr(), fonts->getTypeface (EmbeddedFonts::Face::medium));
    juce::Image image (juce::Image::ARGB, 80, 20, true);
    {
        juce::Graphics g (image);
        g.setColour (juce::Colours::white);
        g.setFont (juce::Font (12.0f));
        g.drawText ("8.00 Hz", image.getBounds(), juce::Justification::centred, true);
    }
    EXPECT_GT (countInk (image), 20);
}

} // namespace corvane::test
