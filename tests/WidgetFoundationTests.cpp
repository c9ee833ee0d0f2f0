// The value model, parameter binding and gesture protocol shared by every control.

#include "WidgetTestSupport.h"

#include "editor/widgets/OVButton.h"
#include "editor/widgets/OVImageKnob.h"
#include "editor/widgets/OVSlider.h"
#include "editor/widgets/OVStepable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace corvane::test
{

namespace
{
    /** The plainest control: an OVComponent with nothing of its own. */
    struct PlainControl : public OVComponent
    {
        using OVComponent::beginGesture;
        using OVComponent::endGesture;
        using OVComponent::notifyValueChange;
    };

    /** Records which setValue runs while binding. */
    struct OverridingControl : public OVComponent
    {
        using OVComponent::setValue;
        void setValue (float v) override
        {
            ++overrideCalls;
            OVComponent::setValue (v, true);
        }
        int overrideCalls = 0;
    };

    struct WidgetFoundation : public ::testing::Test
    {
        CorvaneAudioProcessor processor;
        juce::AudioProcessorParameter& level = *processor.getParameterAt (param::vox2Level);
        EventLog log;
    };
}

TEST_F (WidgetFoundation, FieldsStartAsDocumented)
{
    PlainControl c;
    EXPECT_EQ (c.getID(), -1);
    EXPECT_EQ (c.getValue(), 0.0f);
    EXPECT_EQ (c.getDefaultValue(), 0.0f);
    EXPECT_EQ (c.getParameter(), nullptr);
    EXPECT_EQ (c.getStateBroadcaster(), nullptr);
    EXPECT_EQ (c.getUICallback(), nullptr);
    EXPECT_TRUE (c.getUICallbacks().empty());
    EXPECT_FALSE (c.shouldHoldValueDisplay());
    EXPECT_EQ (c.getLocalCentre(), juce::Point<float>());
    c.setSize (87, 30);
    EXPECT_EQ (c.getLocalCentre(), juce::Point<float> (43.5f, 15.0f));
}

TEST_F (WidgetFoundation, AttachTakesDefaultValueAndIndexThroughTheOverride)
{
    level.setValueNotifyingHost (0.25f);
    OverridingControl c;
    c.attachToParameter (&level, &processor);

    EXPECT_EQ (c.getParameter(), &level);
    EXPECT_EQ (c.getStateBroadcaster(), &processor);
    EXPECT_EQ (c.getID(), param::vox2Level);
    EXPECT_FLOAT_EQ (c.getValue(), 0.25f);
    EXPECT_FLOAT_EQ (c.getDefaultValue(), 0.707f);
    EXPECT_EQ (c.overrideCalls, 1);
}

TEST_F (WidgetFoundation, SetValueStoresAsGivenAndClampedVariantsClamp)
{
    PlainControl c;
    c.setValue (1.7f);
    EXPECT_FLOAT_EQ (c.getValue(), 1.7f);
    c.setValueClamped (1.7f);
    EXPECT_FLOAT_EQ (c.getValue(), 1.0f);
    c.setValueClamped (-0.2f);
    EXPECT_FLOAT_EQ (c.getValue(), 0.0f);
    c.setValueClamped (3.0f, false);
    EXPECT_FLOAT_EQ (c.getValue(), 1.0f);
}

TEST_F (WidgetFoundation, NullAndDuplicateListenersAreIgnored)
{
    PlainControl c;
    RecordingListener a (log, "A");
    c.addUICallback (nullptr);
    c.addUICallback (&a);
    c.addUICallback (&a);
    ASSERT_EQ (c.getUICallbacks().size(), 1u);

    c.commitValueAsGesture();
    EXPECT_EQ (log.count ("A:pressed"), 1u);
    EXPECT_EQ (log.count ("A:changed"), 1u);
    EXPECT_EQ (log.count ("A:ended"), 1u);
}

TEST_F (WidgetFoundation, GestureReachesHostThenEachListenerInOrderThenHooks)
{
    // a real control driven by synthesised mouse input: press, two drags, release
    FineSlider slider;
    slider.setSize (100, 12);
    slider.attachToParameter (&level, &processor);
    RecordingListener a (log, "A"), b (log, "B"), c (log, "C");
    for (auto* l : { &a, &b, &c })
        slider.addUICallback (l);
    slider.onGestureStart = [this] (OVComponent&) { log.add ("hook:start"); };
    slider.onValueChange = [this] (OVComponent&) { log.add ("hook:value"); };
    slider.onGestureEnd = [this] (OVComponent&) { log.add ("hook:end"); };
    HostRecorder host (log, level);

    Mouse mouse (slider);
    mouse.down (50.0f, 6.0f);   // jumps to 0.5
    mouse.drag (60.0f, 6.0f);   // + 0.65 * 10 / 100
    mouse.up (60.0f, 6.0f);

    const std::string id = std::to_string (param::vox2Level);
    const auto v1 = valueText (0.5f), v2 = valueText (0.565f);
    const std::vector<std::string> expected {
        "host:begin",
        "A:pressed " + id, "A:started " + id, "B:pressed " + id, "B:started " + id, "C:pressed " + id, "C:started " + id,
        "hook:start",
        "host:value " + v1, "A:changed " + id + " " + v1, "B:changed " + id + " " + v1, "C:changed " + id + " " + v1, "hook:value",
        "host:value " + v2, "A:changed " + id + " " + v2, "B:changed " + id + " " + v2, "C:changed " + id + " " + v2, "hook:value",
        "host:end",
        "A:released " + id, "A:ended " + id, "B:released " + id, "B:ended " + id, "C:released " + id, "C:ended " + id,
        "hook:end",
    };
    EXPECT_EQ (log.entries, expected);
    EXPECT_EQ (a.lastAnchor, slider.getLocalCentre());
}

TEST_F (WidgetFoundation, NullParameterStillNotifiesListenersAndHooks)
{
    PlainControl c;
    RecordingListener a (log, "A");
    c.addUICallback (&a);
    int hooks = 0;
    c.onGestureStart = c.onValueChange = c.onGestureEnd = [&hooks] (OVComponent&) { ++hooks; };
    c.setValue (0.3f);

    c.commitValueAsGesture();
    const std::vector<std::string> expected { "A:pressed -1", "A:started -1", "A:changed -1 " + valueText (0.3f),
                                              "A:released -1", "A:ended -1" };
    EXPECT_EQ (log.entries, expected);
    EXPECT_EQ (hooks, 3);
}

TEST_F (WidgetFoundation, ValueEditSendsTheQuantisedValue)
{
    // a stepped knob holds a raw value but reports its position
    OVImageKnob knob;
    knob.setNumSteps (4);
    knob.attachToParameter (processor.getParameterAt (param::chorusMode), &processor);
    HostRecorder host (log, *processor.getParameterAt (param::chorusMode));
    knob.setValue (0.4f);
    knob.commitValueAsGesture();
    EXPECT_EQ (log.only ("host:value"), std::vector<std::string> { "host:value " + valueText (1.0f / 3.0f) });
}

TEST_F (WidgetFoundation, HostChangesArriveAsynchronouslyWithEpsilonTest)
{
    level.setValueNotifyingHost (0.1f);
    PlainControl c;
    c.attachToParameter (&level, &processor);
    auto& repaints = attachRepaintCounter (c);

    level.setValueNotifyingHost (0.4f);
    EXPECT_FLOAT_EQ (c.getValue(), 0.1f) << "the control must not change on the caller's thread";
    pumpMessages();
    EXPECT_FLOAT_EQ (c.getValue(), 0.4f);
    EXPECT_EQ (repaints.count, 1);

    // below single-precision epsilon: left alone, not repainted
    c.setValue (level.getValue() + 5.0e-8f, false);
    const float held = c.getValue();
    ASSERT_NE (held, level.getValue());
    level.setValueNotifyingHost (level.getValue());
    pumpMessages();
    EXPECT_EQ (c.getValue(), held);
    EXPECT_EQ (repaints.count, 1);

    // just above it: adopted
    c.setValue (level.getValue() + 2.5e-7f, false);
    level.setValueNotifyingHost (level.getValue());
    pumpMessages();
    EXPECT_EQ (c.getValue(), level.getValue());
    EXPECT_EQ (repaints.count, 2);

    // several changes coalesce into one read of the latest value
    level.setValueNotifyingHost (0.1f);
    level.setValueNotifyingHost (0.2f);
    level.setValueNotifyingHost (0.9f);
    pumpMessages();
    EXPECT_FLOAT_EQ (c.getValue(), 0.9f);
    EXPECT_EQ (repaints.count, 3);
}

TEST_F (WidgetFoundation, BroadcasterAlwaysRereadsAndRepaints)
{
    PlainControl c;
    c.attachToParameter (&level, &processor);
    RecordingListener a (log, "A");
    c.addUICallback (&a);
    HostRecorder host (log, level);
    auto& repaints = attachRepaintCounter (c);

    c.changeListenerCallback (&processor); // unchanged value: still repaints
    EXPECT_EQ (repaints.count, 1);

    level.setValue (0.55f); // silently, as a state restore does
    processor.sendSynchronousChangeMessage();
    EXPECT_FLOAT_EQ (c.getValue(), 0.55f);
    EXPECT_EQ (repaints.count, 2);
    EXPECT_TRUE (log.entries.empty()) << "following the host sends nothing back";
}

TEST_F (WidgetFoundation, DraggedControlsIgnoreTheHostEchoUntilReleased)
{
    FineSlider slider;
    slider.setSize (100, 12);
    slider.attachToParameter (&level, &processor);
    Mouse mouse (slider);
    mouse.down (20.0f, 6.0f);
    level.setValueNotifyingHost (0.9f);
    pumpMessages();
    EXPECT_FLOAT_EQ (slider.getValue(), 0.2f);
    mouse.up (20.0f, 6.0f);

    level.setValueNotifyingHost (0.8f);
    pumpMessages();
    EXPECT_FLOAT_EQ (slider.getValue(), 0.8f);
}

TEST_F (WidgetFoundation, ParameterChangedFromAnotherThreadReachesControlOnMessageThread)
{
    OVImageKnob knob;
    knob.attachToParameter (&level, &processor);
    std::atomic<bool> done { false };

    std::thread automation ([&] {
        for (int i = 0; i <= 2000; ++i)
            level.setValueNotifyingHost ((float) i / 2000.0f * 0.75f);
        done = true;
    });
    // the message thread keeps reading and painting while the host writes
    while (! done)
    {
        pumpMessages (1);
        juce::ignoreUnused (knob.getValue());
    }
    automation.join();

    EXPECT_TRUE (pumpMessagesUntil ([&] { return knob.getValue() == 0.75f; }));
}

TEST_F (WidgetFoundation, DestroyedControlStopsListening)
{
    {
        PlainControl c;
        c.attachToParameter (&level, &processor);
        level.setValueNotifyingHost (0.3f); // leaves an update pending
    }
    level.setValueNotifyingHost (0.6f);
    pumpMessages(); // nothing may call into the destroyed control
    SUCCEED();
}

TEST_F (WidgetFoundation, RebindingLeavesTheOldParameter)
{
    PlainControl c;
    c.attachToParameter (&level, &processor);
    auto& other = *processor.getParameterAt (param::vox3Level);
    c.attachToParameter (&other, &processor);
    c.setValue (0.5f, false);
    level.setValueNotifyingHost (0.1f);
    pumpMessages();
    EXPECT_FLOAT_EQ (c.getValue(), 0.5f);
}

TEST_F (WidgetFoundation, RefreshFromOwnerAdoptsDifferentAnswersOnly)
{
    PlainControl c;
    RecordingListener owner (log, "owner");
    c.setUICallback (&owner);
    c.setID (7);

    owner.answer = 0.0f;
    c.refreshFromUICallback (true);
    EXPECT_TRUE (log.entries.empty());

    owner.answer = 0.6f;
    c.refreshFromUICallback (false);
    EXPECT_FLOAT_EQ (c.getValue(), 0.6f);
    EXPECT_TRUE (log.entries.empty());

    owner.answer = 0.2f;
    c.refreshFromUICallback (true);
    EXPECT_EQ (log.entries, std::vector<std::string> { "owner:changed 7 " + valueText (0.2f) });
}

TEST (WidgetStepable, StepSizeAndQuantiseTable)
{
    struct Case { int steps; float stepSize; float in; float out; };
    const Case cases[] = {
        { 0, 0.0f, 0.7f, 0.0f },          { 1, 0.0f, 0.7f, 0.0f },
        { 2, 1.0f, 0.5f, 1.0f },          { 2, 1.0f, 0.49f, 0.0f },
        { 5, 0.25f, 0.125f, 0.25f },      { 5, 0.25f, 0.6f, 0.5f },      { 5, 0.25f, 1.0f, 1.0f },
        { 4, 1.0f / 3.0f, 0.16f, 0.0f },  { 4, 1.0f / 3.0f, 0.17f, 1.0f / 3.0f },
        { 3, 0.5f, 0.74f, 0.5f },         { 3, 0.5f, 0.75f, 1.0f },
    };
    for (const auto& c : cases)
    {
        OVStepable s;
        s.setNumSteps (c.steps);
        EXPECT_EQ (s.getNumSteps(), c.steps);
        EXPECT_FLOAT_EQ (s.getStepSize(), c.stepSize) << c.steps;
        EXPECT_FLOAT_EQ (s.quantise (c.in), c.out) << c.steps << " steps, " << c.in;
    }
}

TEST (WidgetStepable, KnobReportsQuantisedValueOnlyWhenStepped)
{
    OVImageKnob knob;
    knob.setValue (0.4f);
    EXPECT_FLOAT_EQ (knob.getValue(), 0.4f);
    knob.setNumSteps (1);
    EXPECT_FLOAT_EQ (knob.getValue(), 0.4f);
    knob.setNumSteps (4);
    EXPECT_FLOAT_EQ (knob.getValue(), 1.0f / 3.0f);
}

} // namespace corvane::test
