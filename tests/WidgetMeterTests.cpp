// The output meter's diodes and the floating value read-out.

#include "WidgetTestSupport.h"

#include "editor/panels/OVChangeView.h"
#include "editor/panels/OVMeters.h"

#include <gtest/gtest.h>

namespace corvane::test
{

namespace
{
    juce::Image solid (juce::Colour c)
    {
        juce::Image image (juce::Image::ARGB, 6, 6, true);
        image.clear (image.getBounds(), c);
        return image;
    }

    const juce::Colour normalColour (0xFF0000FF), yellowColour (0xFF00FF00), redColour (0xFFFF0000), offColour (0xFF808080);

    void setUp (OVMeters& m)
    {
        m.setDiodeImages (solid (normalColour), solid (yellowColour), solid (redColour), solid (offColour));
        m.setBounds (997, 165, 3, 142);
    }

    std::vector<int> litDiodes (const OVMeters& m)
    {
        std::vector<int> lit;
        for (int i = 0; i < m.getNumDiodes(); ++i)
            if (m.isDiodeLit (i))
                lit.push_back (i);
        return lit;
    }

    std::vector<int> range (int first, int last)
    {
        std::vector<int> r;
        for (int i = first; i <= last; ++i)
            r.push_back (i);
        return r;
    }
}

TEST (WidgetMeter, StartsDarkWithEighteenDiodesAndNoMouse)
{
    OVMeters m;
    EXPECT_EQ (m.getNumDiodes(), 18);
    EXPECT_FLOAT_EQ (m.getLevelDb(), -100.0f);
    EXPECT_TRUE (litDiodes (m).empty());
    bool self = true, children = true;
    m.getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self);
    EXPECT_FALSE (children);
}

TEST (WidgetMeter, Thresholds)
{
    OVMeters m;
    const float expected[] = { -100.0f, -75.25f, -65.0f, -57.13f, -50.50f, -44.66f, -39.38f, -34.52f, -30.0f,
                               -25.75f, -21.74f, -17.92f, -14.27f, -10.77f, -7.40f, -4.15f, -1.00f, 2.04f };
    for (int i = 0; i < 18; ++i)
        EXPECT_NEAR (m.getThresholdDb (i), expected[i], 0.01f) << i;
}

TEST (WidgetMeter, LitDiodesForLevels)
{
    OVMeters m;
    setUp (m);
    struct Case { float db; std::vector<int> lit; };
    const Case cases[] = {
        { -100.0f, {} }, { -99.9f, {} }, { -98.0f, {} }, { -97.0f, { 0 } },
        { -28.1f, range (0, 7) }, { -27.9f, range (0, 8) },
        { 0.0f, range (0, 15) }, { 1.01f, range (0, 16) }, { 4.05f, range (0, 17) },
    };
    for (const auto& c : cases)
    {
        m.setLevelDb (c.db);
        EXPECT_EQ (litDiodes (m), c.lit) << c.db << " dB";
    }

    m.setLevelDb (10.0f);
    EXPECT_EQ (m.getDiodeImageFor (12), OVMeters::normal);
    for (int i : { 13, 14, 15 })
        EXPECT_EQ (m.getDiodeImageFor (i), OVMeters::yellow) << i;
    for (int i : { 16, 17 })
        EXPECT_EQ (m.getDiodeImageFor (i), OVMeters::red) << i;
    m.setLevelDb (-50.0f);
    EXPECT_EQ (m.getDiodeImageFor (17), OVMeters::off);
}

TEST (WidgetMeter, PaintsDiodesFromTheBottomAndSkipsMissingPictures)
{
    OVMeters m;
    setUp (m);
    m.setLevelDb (0.0f);
    auto image = render (m);
    EXPECT_EQ (image.getPixelAt (1, 140), normalColour);    // diode 0 at y 139
    EXPECT_EQ (image.getPixelAt (1, 1), offColour);         // diode 17 at the top, dark
    const int y15 = juce::roundToInt (142.0f - 15.0f * (139.0f / 17.0f) - 1.5f);
    EXPECT_EQ (image.getPixelAt (1, y15), yellowColour);

    m.setDiodeImages (solid (normalColour), {}, solid (redColour), solid (offColour));
    image = render (m);
    EXPECT_EQ (image.getPixelAt (1, y15).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (1, 140), normalColour);
    EXPECT_EQ (image.getPixelAt (1, 1), offColour);

    m.setNumDiodes (0);
    EXPECT_EQ (render (m).getPixelAt (1, 140).getAlpha(), 0);
}

TEST (WidgetChangeView, StartsInvisibleAndDrawsItsBox)
{
    OVChangeView view;
    EXPECT_EQ (view.getAlpha(), 0.0f);
    EXPECT_FLOAT_EQ (view.font.getHeight(), 12.0f);
    EXPECT_EQ (view.font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ (view.displayHoldCounter, 0);
    EXPECT_FALSE (view.displayPressed);
    EXPECT_EQ (view.displayAlpha, 0.0f);
    bool self = true, children = true;
    view.getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self || children);

    view.setSize (50, 16);
    auto image = render (view);
    EXPECT_EQ (image.getPixelAt (25, 8), juce::Colour (0xFF26262B)) << "empty text: only the box";
    const auto frame = image.getPixelAt (0, 8);
    EXPECT_GT (frame.getBrightness(), 0.6f);

    view.text = "71 %";
    image = render (view);
    int bright = 0;
    for (int x = 2; x < 48; ++x)
        for (int y = 2; y < 14; ++y)
            bright += image.getPixelAt (x, y).getBrightness() > 0.5f ? 1 : 0;
    EXPECT_GT (bright, 10) << "the text is drawn";
}

} // namespace corvane::test
