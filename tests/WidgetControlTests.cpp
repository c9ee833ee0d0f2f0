// Mouse rules, hit areas and drawing of the concrete controls.

#include "WidgetTestSupport.h"

#include "editor/widgets/CorvaneSwitch.h"
#include "editor/widgets/OVImageButton.h"
#include "editor/widgets/OVImageKnob.h"
#include "editor/widgets/OVSlider.h"
#include "editor/widgets/OVStepper.h"
#include "editor/widgets/WaveSelector.h"

#include <gtest/gtest.h>

namespace corvane::test
{

namespace
{
    juce::Image solidImage (int w, int h, juce::Colour c = juce::Colours::red)
    {
        juce::Image image (juce::Image::ARGB, w, h, true);
        image.clear (image.getBounds(), c);
        return image;
    }

    juce::uint8 alphaAt (const juce::Image& image, int x, int y) { return image.getPixelAt (x, y).getAlpha(); }

    struct WidgetControls : public ::testing::Test
    {
        CorvaneAudioProcessor processor;
        EventLog log;

        juce::AudioProcessorParameter& parameter (int row) { return *processor.getParameterAt (row); }
    };
}

//==============================================================================
TEST_F (WidgetControls, ButtonClickInsideReportsItsValue)
{
    OVButton button;
    button.setSize (20, 20);
    button.attachToParameter (&parameter (param::vox1Level), &processor);
    button.setValue (0.0f);
    HostRecorder host (log, parameter (param::vox1Level));
    int clicks = 0;
    button.onClick = [&] (const OVButton* b) { ++clicks; EXPECT_EQ (b, &button); };

    Mouse mouse (button);
    mouse.down (5, 5);
    EXPECT_TRUE (button.isButtonDown());
    EXPECT_FLOAT_EQ (button.getDrawOpacity(), 0.6f);
    mouse.up (5, 5);
    EXPECT_FALSE (button.isButtonDown());
    EXPECT_FLOAT_EQ (button.getDrawOpacity(), 1.0f);
    EXPECT_EQ (clicks, 1);
    EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "host:value " + valueText (0.0f), "host:end" }));

    // a toggle button flips and reports 1
    log.clear();
    button.setToggleMode (true);
    mouse.click (5, 5);
    EXPECT_TRUE (button.getToggleState());
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f) });
}

TEST_F (WidgetControls, ButtonReleasedOutsideEndsTheGestureWithoutAClick)
{
    OVButton button;
    button.setSize (20, 20);
    button.setToggleMode (true);
    button.attachToParameter (&parameter (param::vox1Level), &processor);
    HostRecorder host (log, parameter (param::vox1Level));
    int clicks = 0;
    button.onClick = [&] (const OVButton*) { ++clicks; };

    Mouse mouse (button);
    for (auto outside : { juce::Point<float> (20, 5), { 5, 20 }, { -1, 5 }, { 5, -1 } })
    {
        log.clear();
        const bool before = button.getToggleState();
        mouse.down (5, 5);
        mouse.up (outside.x, outside.y);
        EXPECT_EQ (clicks, 0);
        EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "host:end" }));
        EXPECT_NE (button.getToggleState(), before) << "a toggle button still flips";
    }
}

TEST_F (WidgetControls, ButtonValueIsItsToggleState)
{
    OVButton button;
    button.setValue (0.5f);
    EXPECT_TRUE (button.getToggleState());
    EXPECT_FLOAT_EQ (button.getValue(), 1.0f);
    button.setValue (0.49f);
    EXPECT_FALSE (button.getToggleState());
    EXPECT_FLOAT_EQ (button.getValue(), 0.0f);
}

TEST_F (WidgetControls, ImageButtonDrawsPictureAtHalfSizeCentredWithPressedOpacity)
{
    OVImageButton button;
    button.setSize (40, 40);
    button.setImages (solidImage (64, 64, juce::Colours::red), solidImage (64, 64, juce::Colours::blue));

    auto image = render (button);
    EXPECT_EQ (alphaAt (image, 3, 3), 0);
    EXPECT_EQ (image.getPixelAt (4, 4), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (35, 35), juce::Colours::red);
    EXPECT_EQ (alphaAt (image, 36, 36), 0);

    button.setToggleState (true);
    EXPECT_EQ (render (button).getPixelAt (20, 20), juce::Colours::blue);

    Mouse (button).down (5, 5);
    EXPECT_NEAR (alphaAt (render (button), 20, 20), 153, 2);

    button.setImages ({}, {});
    EXPECT_EQ (alphaAt (render (button), 20, 20), 0);
}

//==============================================================================
TEST_F (WidgetControls, WaveSelectorLayoutAndValue)
{
    WaveSelector selector;
    selector.setSize (65, 65);
    EXPECT_EQ (selector.getButton (0).getBounds(), juce::Rectangle<int> (0, 0, 32, 32));
    EXPECT_EQ (selector.getButton (1).getBounds(), juce::Rectangle<int> (33, 0, 32, 32));
    EXPECT_EQ (selector.getButton (2).getBounds(), juce::Rectangle<int> (0, 33, 32, 32));
    EXPECT_EQ (selector.getButton (3).getBounds(), juce::Rectangle<int> (33, 33, 32, 32));

    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (selector.getButton (i).getID(), i);
        EXPECT_FALSE (selector.getButton (i).isToggleMode());
    }

    selector.setValue (2.0f / 3.0f);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (selector.getButton (i).getToggleState(), i == 2);
}

TEST_F (WidgetControls, WaveSelectorClickSelectsOnceAndIgnoresTheSelectedButton)
{
    WaveSelector selector;
    selector.setSize (65, 65);
    selector.attachToParameter (&parameter (param::vox1Type), &processor);
    selector.setValue (1.0f / 3.0f);
    RecordingListener listener (log, "L");
    selector.addUICallback (&listener);
    HostRecorder host (log, parameter (param::vox1Type));
    std::vector<int> selected;
    selector.onSelect = [&] (int i) { selected.push_back (i); };

    Mouse (selector.getButton (1)).click (5, 5);
    EXPECT_TRUE (log.entries.empty());
    EXPECT_TRUE (selected.empty());

    Mouse (selector.getButton (3)).click (5, 5);
    const std::string id = std::to_string (param::vox1Type);
    EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "L:pressed " + id, "L:started " + id,
                                                        "host:value " + valueText (1.0f), "L:changed " + id + " " + valueText (1.0f),
                                                        "host:end", "L:released " + id, "L:ended " + id }));
    EXPECT_EQ (selected, std::vector<int> { 3 });
    EXPECT_FLOAT_EQ (selector.getValue(), 1.0f);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (selector.getButton (i).getToggleState(), i == 3);
}

//==============================================================================
TEST_F (WidgetControls, StepperFollowsValueAndSteps)
{
    OVStepper stepper;
    stepper.setSize (65, 30);
    EXPECT_EQ (stepper.getMinusButton().getBounds(), juce::Rectangle<int> (0, 0, 19, 30));
    EXPECT_EQ (stepper.getPlusButton().getBounds(), juce::Rectangle<int> (46, 0, 19, 30));
    EXPECT_EQ (stepper.getMinusButton().getID(), 0);
    EXPECT_EQ (stepper.getPlusButton().getID(), 1);

    stepper.setRange (-11, 11);
    stepper.attachToParameter (&parameter (param::vox1Semi), &processor);
    EXPECT_EQ (stepper.getCurrent(), 0);
    stepper.setValue (1.0f);
    EXPECT_EQ (stepper.getCurrent(), 11);
    stepper.setValue (0.0f);
    EXPECT_EQ (stepper.getCurrent(), -11);

    HostRecorder host (log, parameter (param::vox1Semi));
    Mouse (stepper.getPlusButton()).click (5, 5);
    EXPECT_EQ (stepper.getCurrent(), -10);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f / 22.0f) });
}

TEST_F (WidgetControls, StepperAtItsLimitStillCommitsTheSameValue)
{
    OVStepper stepper;
    stepper.setSize (65, 30);
    stepper.setRange (-11, 11);
    stepper.attachToParameter (&parameter (param::vox1Semi), &processor);
    stepper.setValue (1.0f);
    HostRecorder host (log, parameter (param::vox1Semi));

    Mouse (stepper.getPlusButton()).click (5, 5);
    EXPECT_EQ (stepper.getCurrent(), 11);
    // the plus button's own gesture (unbound) wraps the stepper's committed one
    EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "host:value " + valueText (1.0f), "host:end" }));

    log.clear();
    stepper.setValue (0.0f);
    Mouse (stepper.getMinusButton()).click (5, 5);
    EXPECT_EQ (stepper.getCurrent(), -11);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (0.0f) });

    OVStepper single;
    single.setRange (3, 3);
    single.setSize (65, 30);
    Mouse (single.getPlusButton()).click (5, 5);
    EXPECT_EQ (single.getCurrent(), 3);
    EXPECT_FLOAT_EQ (single.getValue(), 0.0f);
}

//==============================================================================
TEST_F (WidgetControls, FineSliderJumpsOnPressAndDragsRelatively)
{
    FineSlider slider;
    slider.setSize (100, 12);
    Mouse mouse (slider);
    mouse.down (30, 6);
    EXPECT_FLOAT_EQ (slider.getValue(), 0.3f);
    mouse.drag (50, 6);
    EXPECT_NEAR (slider.getValue(), 0.3f + 0.65f * 20.0f / 100.0f, 1e-6);
    mouse.drag (30, 6, Mouse::alt());
    EXPECT_NEAR (slider.getValue(), 0.43f - 0.05f * 20.0f / 100.0f, 1e-6);
    mouse.drag (400, 6);
    EXPECT_FLOAT_EQ (slider.getValue(), 1.0f);
    mouse.up (400, 6);

    // vertical: upward increases, the press maps 1 - y / height
    FineSlider vertical;
    vertical.setVertical (true);
    vertical.setSize (12, 100);
    Mouse v (vertical);
    v.down (6, 75);
    EXPECT_FLOAT_EQ (vertical.getValue(), 0.25f);
    v.drag (6, 65);
    EXPECT_NEAR (vertical.getValue(), 0.25f + 0.65f * 0.1f, 1e-6);
    v.up (6, 65);
}

TEST_F (WidgetControls, FineSliderDoubleClickResetsCommitsAndHoldsTheDisplay)
{
    FineSlider slider;
    slider.setSize (100, 12);
    slider.attachToParameter (&parameter (param::vox1FineTune), &processor);
    slider.setValue (0.9f);
    HostRecorder host (log, parameter (param::vox1FineTune));

    Mouse (slider).doubleClick (90, 6);
    EXPECT_FLOAT_EQ (slider.getValue(), 0.5f);
    EXPECT_TRUE (slider.shouldHoldValueDisplay());
    // two clicks (each jumps to the pointer), then the reset as a gesture of its own
    const auto v = valueText (0.9f), d = valueText (0.5f);
    EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "host:value " + v, "host:end",
                                                        "host:begin", "host:value " + v, "host:end",
                                                        "host:begin", "host:value " + d, "host:end" }));
    slider.clearHoldValueDisplay();
    EXPECT_FALSE (slider.shouldHoldValueDisplay());
}

TEST_F (WidgetControls, WheelIsAValueEditWithoutGesture)
{
    FineSlider slider;
    slider.setSize (100, 12);
    slider.attachToParameter (&parameter (param::vox1FineTune), &processor);
    HostRecorder host (log, parameter (param::vox1FineTune));
    Mouse mouse (slider);

    slider.setValue (0.5f);
    mouse.wheel (1.0f);
    EXPECT_FLOAT_EQ (slider.getValue(), 0.7f);
    mouse.wheel (-1.0f, Mouse::alt());
    EXPECT_FLOAT_EQ (slider.getValue(), 0.68f);
    mouse.wheel (10.0f);
    EXPECT_FLOAT_EQ (slider.getValue(), 1.0f);
    EXPECT_EQ (log.count ("host:begin"), 0u);
    EXPECT_EQ (log.count ("host:value"), 3u);
    EXPECT_FALSE (slider.isBeingDragged());
}

TEST_F (WidgetControls, CorvaneSliderDragsOverHalfItsTrackHeightWithoutJumping)
{
    CorvaneSlider fader;
    fader.setSize (83, 189);
    fader.setTrackImage (solidImage (100, 354));
    fader.attachToParameter (&parameter (param::vox1Level), &processor);
    fader.setValue (0.5f);
    HostRecorder host (log, parameter (param::vox1Level));

    Mouse mouse (fader);
    mouse.down (20, 100);
    EXPECT_FLOAT_EQ (fader.getValue(), 0.5f);
    EXPECT_EQ (log.count ("host:value"), 0u) << "no jump on press";
    mouse.drag (20, 82.4f); // positions are rounded to whole units: 18 up
    EXPECT_NEAR (fader.getValue(), 0.5f + 18.0f / 177.0f, 1e-6);
    mouse.drag (20, 80, Mouse::alt());
    EXPECT_NEAR (fader.getValue(), 0.5f + 18.0f / 177.0f + 0.1f * 2.0f / 177.0f, 1e-6);
    mouse.drag (20, 400);
    EXPECT_FLOAT_EQ (fader.getValue(), 0.0f);
    mouse.up (20, 400);

    // no track picture: the drag has no travel to scale by and changes nothing
    CorvaneSlider bare;
    bare.setSize (83, 189);
    bare.setValue (0.4f);
    Mouse b (bare);
    b.down (20, 100);
    b.drag (20, 50);
    b.up (20, 50);
    EXPECT_FLOAT_EQ (bare.getValue(), 0.4f);
}

TEST_F (WidgetControls, CorvaneSliderDoubleClickResetsToDefault)
{
    CorvaneSlider fader;
    fader.setSize (83, 189);
    fader.setTrackImage (solidImage (100, 354));
    fader.attachToParameter (&parameter (param::outputLevel), &processor);
    fader.setValue (0.1f);
    HostRecorder host (log, parameter (param::outputLevel));
    Mouse (fader).doubleClick (20, 100);
    EXPECT_FLOAT_EQ (fader.getValue(), 1.0f / 1.5f);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f / 1.5f) });
    EXPECT_EQ (log.count ("host:begin"), 3u);
    EXPECT_FALSE (fader.shouldHoldValueDisplay());
}

TEST_F (WidgetControls, DriveSliderMovesItsRangeOver53Over065Units)
{
    DriveSlider drive;
    drive.setSize (73, 20);
    Mouse mouse (drive);
    mouse.down (10, 10);
    EXPECT_FLOAT_EQ (drive.getValue(), 0.0f);
    mouse.drag (20, 10);
    EXPECT_NEAR (drive.getValue(), 10.0f * 0.65f / 53.0f, 1e-6);
    mouse.drag (30, 30, Mouse::alt()); // vertical movement is ignored
    EXPECT_NEAR (drive.getValue(), 10.0f * 0.65f / 53.0f + 10.0f * 0.05f / 53.0f, 1e-6);
    mouse.drag (30 + 82, 30); // 82 units > 53 / 0.65: the rest of the range
    EXPECT_FLOAT_EQ (drive.getValue(), 1.0f);
    mouse.up (112, 30);
}

TEST_F (WidgetControls, SliderHitAreas)
{
    OctaveSlider octave;
    octave.setSize (27, 63);
    struct Hit { int x, y; bool inside; };
    for (auto h : { Hit { 0, 0, true }, { 11, 62, true }, { 12, 10, false }, { 5, 63, false }, { -1, 5, false }, { 20, 30, false } })
        EXPECT_EQ (octave.hitTest (h.x, h.y), h.inside) << h.x << "," << h.y;

    CorvaneSlider fader;
    fader.setSize (83, 189);
    EXPECT_FALSE (fader.hitTest (10, 10)) << "no track picture, no hit area";
    fader.setTrackImage (solidImage (100, 354));
    for (auto h : { Hit { 0, 0, true }, { 49, 176, true }, { 50, 10, false }, { 10, 177, false }, { 70, 100, false } })
        EXPECT_EQ (fader.hitTest (h.x, h.y), h.inside) << h.x << "," << h.y;

    DriveSlider drive;
    drive.setSize (73, 20);
    EXPECT_TRUE (drive.hitTest (72, 19));
}

TEST_F (WidgetControls, OctaveSliderDrawsOnlyAtItsPositions)
{
    OctaveSlider octave;
    octave.setSize (27, 63);
    octave.setThumbImage (solidImage (16, 16));
    struct Case { float raw; float snapped; };
    for (auto c : { Case { 0.0f, 0.0f }, { 0.16f, 0.0f }, { 0.17f, 1.0f / 3.0f }, { 0.5f, 2.0f / 3.0f }, { 0.84f, 1.0f }, { 1.0f, 1.0f } })
    {
        octave.setValue (c.raw);
        EXPECT_FLOAT_EQ (octave.getSnappedValue(), c.snapped) << c.raw;
        const auto p = octave.getThumbPosition();
        EXPECT_FLOAT_EQ (p.x, 2.0f);
        EXPECT_FLOAT_EQ (p.y, 63.0f - (7.0f + 49.0f * c.snapped) - 4.0f);
    }
    // position 0 is at the bottom
    octave.setValue (0.0f);
    auto image = render (octave);
    EXPECT_GT (alphaAt (image, 6, 56), 0);
    EXPECT_EQ (alphaAt (image, 6, 8), 0);
}

//==============================================================================
TEST_F (WidgetControls, KnobDragScaleAndFineModifier)
{
    OVImageKnob knob;
    knob.setSize (87, 87);
    Mouse mouse (knob);
    mouse.down (40, 40);
    mouse.drag (40, 30);
    EXPECT_NEAR (knob.getValue(), 0.35f * 10.0f / 87.0f, 1e-6);
    mouse.drag (40, 40, Mouse::alt());
    EXPECT_NEAR (knob.getValue(), 0.35f * 10.0f / 87.0f - 0.035f * 10.0f / 87.0f, 1e-6);
    mouse.drag (40, 500);
    EXPECT_FLOAT_EQ (knob.getValue(), 0.0f);
    mouse.up (40, 500);
}

TEST_F (WidgetControls, SteppedKnobSendsOnlyWhenItsPositionChanges)
{
    OVImageKnob knob;
    knob.setSize (87, 87);
    knob.setNumSteps (4);
    knob.attachToParameter (&parameter (param::chorusMode), &processor);
    knob.setValue (0.0f);
    HostRecorder host (log, parameter (param::chorusMode));

    Mouse mouse (knob);
    mouse.down (40, 80);
    mouse.drag (40, 50); // raw 0.12: less than half a step
    EXPECT_EQ (log.count ("host:value"), 0u);
    mouse.drag (40, 40); // raw 0.16: still position 0
    EXPECT_EQ (log.count ("host:value"), 0u);
    mouse.drag (40, 35); // raw 0.18: position 1
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f / 3.0f) });
    mouse.drag (40, 30);
    EXPECT_EQ (log.count ("host:value"), 1u);
    mouse.up (40, 30);

    // the wheel moves a stepped knob by the unscaled delta
    log.clear();
    knob.setValue (0.0f);
    mouse.wheel (0.1f);
    EXPECT_EQ (log.count ("host:value"), 0u);
    mouse.wheel (0.1f);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f / 3.0f) });
    mouse.wheel (5.0f);
    EXPECT_FLOAT_EQ (knob.getValue(), 1.0f) << "clamped";
}

TEST_F (WidgetControls, KnobDoubleClickNotifiesWithoutGesture)
{
    OVImageKnob knob;
    knob.setSize (87, 87);
    knob.attachToParameter (&parameter (param::phaserRate), &processor);
    knob.setValue (0.9f);
    HostRecorder host (log, parameter (param::phaserRate));
    Mouse (knob).doubleClick (40, 40);
    const auto d = valueText (parameter (param::phaserRate).getDefaultValue());
    EXPECT_EQ (log.entries, (std::vector<std::string> { "host:begin", "host:end", "host:begin", "host:end", "host:value " + d }));
}

TEST_F (WidgetControls, KnobReportsEnterAndExitToEveryListener)
{
    OVImageKnob knob;
    knob.setID (5);
    RecordingListener a (log, "A"), b (log, "B");
    knob.addUICallback (&a);
    knob.addUICallback (&b);
    Mouse mouse (knob);
    knob.mouseEnter (mouse.event ({ 1, 1 }));
    knob.mouseExit (mouse.event ({ 1, 1 }));
    EXPECT_EQ (log.entries, (std::vector<std::string> { "A:entered 5", "B:entered 5", "A:exited 5", "B:exited 5" }));
}

TEST_F (WidgetControls, KnobTransformTurnsThePictureAboutTheCentre)
{
    OVImageKnob knob;
    knob.setSize (87, 87);
    const auto picture = solidImage (174, 174);
    knob.setValue (0.0f);
    // the picture's top centre turns by 3/4 pi clockwise
    auto p = juce::Point<float> (87.0f, 0.0f).transformedBy (knob.getKnobTransform (picture));
    EXPECT_NEAR (p.x, 43.5f + 43.5f * std::sin (2.3561945f), 1e-3);
    EXPECT_NEAR (p.y, 43.5f - 43.5f * std::cos (2.3561945f), 1e-3);

    knob.setNumSteps (3);
    knob.setValue (0.6f); // drawn at its position, 0.5
    EXPECT_FLOAT_EQ (knob.getAngle(), 2.3561945f + 0.5f * 4.712389f);
}

TEST_F (WidgetControls, CorvaneKnobDrawsShadowOneUnitRightAndDown)
{
    CorvaneKnob knob;
    knob.setSize (20, 20);
    knob.setAngles (0.0f, 0.0f);
    knob.setShadowImage (solidImage (40, 40, juce::Colours::black));
    auto image = render (knob);
    EXPECT_EQ (alphaAt (image, 0, 0), 0);
    EXPECT_EQ (alphaAt (image, 0, 10), 0);
    EXPECT_EQ (alphaAt (image, 1, 1), 255);

    knob.setKnobImage (solidImage (40, 40, juce::Colours::white));
    image = render (knob);
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colours::white);
}

//==============================================================================
TEST_F (WidgetControls, SwitchCellGeometry)
{
    CorvaneSwitch sw;
    sw.setSize (25, 69);
    sw.setCellSpacing (4.0f);
    sw.setNumSteps (3);
    EXPECT_EQ (sw.getCellBounds (0), juce::Rectangle<float> (4.0f, 4.5f, 17.0f, 17.0f));
    EXPECT_EQ (sw.getCellBounds (1), juce::Rectangle<float> (4.0f, 26.0f, 17.0f, 17.0f));
    EXPECT_EQ (sw.getCellBounds (2), juce::Rectangle<float> (4.0f, 47.5f, 17.0f, 17.0f));
    struct Case { float x, y; int cell; };
    for (auto c : { Case { 4.0f, 4.5f, 0 }, { 20.9f, 21.4f, 0 }, { 10.0f, 24.0f, -1 }, { 3.9f, 30.0f, -1 },
                    { 21.0f, 30.0f, -1 }, { 10.0f, 30.0f, 1 }, { 10.0f, 64.4f, 2 }, { 10.0f, 64.5f, -1 } })
        EXPECT_EQ (sw.getCellAt ({ c.x, c.y }), c.cell) << c.x << "," << c.y;
}

TEST_F (WidgetControls, SwitchPressSelectsAnotherCellOnly)
{
    CorvaneSwitch sw;
    sw.setSize (25, 69);
    sw.setCellSpacing (4.0f);
    sw.setNumSteps (3);
    sw.attachToParameter (&parameter (param::phaserMode), &processor);
    sw.setValue (0.5f);
    HostRecorder host (log, parameter (param::phaserMode));
    Mouse mouse (sw);

    mouse.click (12, 30); // the current position
    mouse.click (12, 24); // between cells
    mouse.click (1, 55);  // beside the cells
    EXPECT_EQ (log.count ("host:value"), 0u);
    EXPECT_EQ (log.count ("host:begin"), 3u);

    mouse.click (12, 50);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f) });
    EXPECT_EQ (sw.getCurrentPosition(), 2);
}

TEST_F (WidgetControls, SwitchDragWheelAndDoubleClick)
{
    CorvaneSwitch sw;
    sw.setSize (25, 69);
    sw.setCellSpacing (4.0f);
    sw.setNumSteps (3);
    sw.attachToParameter (&parameter (param::phaserMode), &processor);
    sw.setValue (0.0f);
    HostRecorder host (log, parameter (param::phaserMode));
    Mouse mouse (sw);

    mouse.down (1, 1); // outside every cell
    mouse.drag (1, 11); // raw 0.145: still position 0
    EXPECT_EQ (log.count ("host:value"), 0u);
    mouse.drag (1, 19); // raw 0.26: position 1 (downward increases)
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (0.5f) });
    mouse.up (1, 19);

    log.clear();
    mouse.wheel (0.6f);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f) });
    mouse.wheel (2.0f);
    EXPECT_EQ (log.count ("host:value"), 1u);

    log.clear();
    mouse.doubleClick (1, 1);
    EXPECT_FLOAT_EQ (sw.getValue(), 0.0f);
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (0.0f) });
}

TEST_F (WidgetControls, SwitchValueImagesAndDrawing)
{
    CorvaneSwitch sw;
    sw.setValue (0.7f);
    EXPECT_FLOAT_EQ (sw.getValue(), 0.0f) << "fewer than two positions";
    sw.setSize (25, 69);
    sw.setCellSpacing (4.0f);
    sw.setNumSteps (3);
    EXPECT_FLOAT_EQ (sw.getValue(), 0.5f);

    sw.setPositionImage (1, solidImage (34, 34));
    sw.setPositionImage (2, solidImage (34, 34, juce::Colours::blue));
    auto image = render (sw);
    EXPECT_EQ (image.getPixelAt (12, 34), juce::Colours::red);
    EXPECT_EQ (alphaAt (image, 12, 10), 0);
    EXPECT_EQ (alphaAt (image, 12, 55), 0);

    sw.setNumSteps (3); // discards every picture
    EXPECT_FALSE (sw.getPositionImage (1).isValid());
    EXPECT_EQ (alphaAt (render (sw), 12, 34), 0);
}

TEST_F (WidgetControls, DisabledControlsIgnoreTheMouse)
{
    CorvaneSlider fader;
    fader.setSize (83, 189);
    fader.setTrackImage (solidImage (100, 354));
    fader.attachToParameter (&parameter (param::vox1Level), &processor);
    juce::Component parent;
    parent.addAndMakeVisible (fader);
    parent.setEnabled (false);
    HostRecorder host (log, parameter (param::vox1Level));

    Mouse mouse (fader);
    mouse.down (20, 100);
    mouse.drag (20, 50);
    mouse.up (20, 50);
    mouse.wheel (1.0f);
    EXPECT_TRUE (log.entries.empty());
}

} // namespace corvane::test
