#include "TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

TEST (Processor, SilenceInGivesExactSilenceOutAndNoPeak)
{
    auto p = makeProcessor();
    const auto out = render (*p, 44100, {});
    EXPECT_EQ (peakOf (out), 0.0f);
    EXPECT_EQ (p->getOutputPeak(), 0.0f);
}

TEST (Processor, NoteStartsSoundingAtItsHostPosition)
{
    // The oversampler delays everything by its latency; the note positions must
    // survive the doubling exactly.
    const auto onsetFor = [] (int position)
    {
        auto p = makeProcessor();
        makeDeterministic (*p);
        setNormalised (*p, param::attack, 0.0f);
        setNormalised (*p, param::reverbAmount, 0.0f);
        render (*p, 4096, {}); // the effects' start-up glides are over before the note
        return firstNonSilent (render (*p, 2048, { noteOn (position, 60) }), 0, 1e-7f);
    };

    const int a = onsetFor (100);
    const int b = onsetFor (331);
    const int c = onsetFor (600); // in the second block
    ASSERT_GE (a, 100);
    EXPECT_LE (a, 100 + 32); // the oversampler's latency and the drive's all-pass dispersion
    EXPECT_EQ (b - a, 231);
    EXPECT_EQ (c - a, 500);
}

TEST (Processor, HostRatesBelow44100RunAsAt44100)
{
    auto low = makeProcessor (22050.0);
    auto normal = makeProcessor (44100.0);
    EXPECT_EQ (low->getEffectSampleRate(), 44100.0f);
    EXPECT_EQ (low->getSynthesiser().getSampleRate(), 88200.0);

    for (auto* p : { low.get(), normal.get() })
        makeDeterministic (*p);

    const std::vector<TimedEvent> events { noteOn (10, 60), noteOn (700, 67), noteOff (3000, 60) };
    const auto a = render (*low, 8192, events);
    const auto b = render (*normal, 8192, events);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 8192; ++i)
            ASSERT_EQ (a.getSample (ch, i), b.getSample (ch, i)) << ch << " " << i;
}

TEST (Processor, OutputLevelGainsAndRamp)
{
    // The same deterministic note through two processors that differ only in Output Level.
    auto reference = makeProcessor();
    auto loud = makeProcessor();
    auto silent = makeProcessor();
    for (auto* p : { reference.get(), loud.get(), silent.get() })
    {
        makeDeterministic (*p);
        setNormalised (*p, param::attack, 0.0f);
    }
    setNormalised (*reference, param::outputLevel, 2.0f / 3.0f); // plain 1.0: gain 2/3
    setNormalised (*loud, param::outputLevel, 1.0f);             // gain 1.5
    setNormalised (*silent, param::outputLevel, 0.0f);

    const std::vector<TimedEvent> events { noteOn (0, 64) };
    const auto r = render (*reference, 8192, events);
    const auto l = render (*loud, 8192, events);
    const auto s = render (*silent, 8192, events);

    // Both ramps start from the 1.0 the gain was built with.
    for (int i = 2048; i < 8192; ++i)
    {
        if (std::abs (r.getSample (0, i)) > 1e-3f)
        {
            ASSERT_NEAR (l.getSample (0, i) / r.getSample (0, i), 1.5f / (2.0f / 3.0f), 1e-3f) << i;
        }
    }

    EXPECT_GT (peakOf (s), 0.0f);          // heard while the gain ramps down...
    EXPECT_EQ (peakOf (s, 1024), 0.0f);    // ...and exactly silent after 1024 samples
}

TEST (Processor, LongHostBlocksAreRenderedInPieces)
{
    // 8 times the announced size, in one call, must match the same audio in announced blocks.
    auto pieces = makeProcessor (48000.0, 256);
    auto whole = makeProcessor (48000.0, 256);
    for (auto* p : { pieces.get(), whole.get() })
        makeDeterministic (*p);

    const std::vector<TimedEvent> events { noteOn (5, 48), noteOn (900, 55), noteOff (1500, 48) };
    const auto a = render (*pieces, 4096, events, 256);
    const auto b = render (*whole, 4096, events, 2048);
    EXPECT_GT (peakOf (b), 0.01f);
    for (int i = 0; i < 4096; ++i)
        ASSERT_EQ (a.getSample (1, i), b.getSample (1, i)) << i;
}

TEST (Processor, OddBlockSizesAndUnpreparedCallsAreSafe)
{
    CorvaneAudioProcessor unprepared;
    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
    buffer.setSample (0, 3, 1.0f);
    unprepared.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getMagnitude (0, 64), 0.0f);

    auto p = makeProcessor (44100.0, 512);
    for (int size : { 0, 1, 7, 4096, 4097 })
    {
        juce::AudioBuffer<float> b (2, size);
        p->processBlock (b, midi);
        EXPECT_TRUE (allFinite (b)) << size;
    }
}

TEST (Processor, MonoAndStereoLayoutsOnly)
{
    CorvaneAudioProcessor p;
    using Set = juce::AudioChannelSet;
    const auto layout = [] (Set in, Set out)
    {
        juce::AudioProcessor::BusesLayout l;
        if (! in.isDisabled())
            l.inputBuses.add (in);
        l.outputBuses.add (out);
        return l;
    };

    EXPECT_TRUE (p.isBusesLayoutSupported (layout (Set::disabled(), Set::mono())));
    EXPECT_TRUE (p.isBusesLayoutSupported (layout (Set::disabled(), Set::stereo())));
    EXPECT_TRUE (p.isBusesLayoutSupported (layout (Set::create5point1(), Set::stereo())));
    EXPECT_FALSE (p.isBusesLayoutSupported (layout (Set::disabled(), Set::create5point1())));
    EXPECT_FALSE (p.isBusesLayoutSupported (layout (Set::disabled(), Set::quadraphonic())));
    EXPECT_EQ (p.getBusCount (true), 0);
    ASSERT_EQ (p.getBusCount (false), 1);
    EXPECT_EQ (p.getBus (false, 0)->getName(), "Output");
}

TEST (Processor, MonoOutputPlays)
{
    auto p = makeProcessor (48000.0, 512, 1);
    const auto out = render (*p, 4800, { noteOn (0, 60) }, 512, 1);
    EXPECT_GT (peakOf (out), 0.001f);
    EXPECT_TRUE (allFinite (out));
}

namespace
{
    struct LatencyCounter : juce::AudioProcessorListener
    {
        int changes = 0;
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& d) override
        {
            if (d.latencyChanged)
                ++changes;
        }
    };
}

TEST (Processor, LatencyIsTheOversamplersAndIsReportedOnlyOnChange)
{
    // Right from construction, so that hosts never see it change.
    CorvaneAudioProcessor p;
    juce::dsp::Oversampling<float> reference (2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, false, false);
    reference.initProcessing (512);
    EXPECT_EQ (p.getLatencySamples(), roundHalfEven (reference.getLatencyInSamples()));
    EXPECT_GT (p.getLatencySamples(), 0);

    LatencyCounter counter;
    p.addListener (&counter);
    p.setPlayConfigDetails (0, 2, 48000.0, 512);
    p.prepareToPlay (48000.0, 512);
    EXPECT_EQ (p.getLatencySamples(), roundHalfEven (reference.getLatencyInSamples()));
    const int afterFirstPrepare = counter.changes;
    EXPECT_EQ (afterFirstPrepare, 0);

    p.prepareToPlay (96000.0, 256);
    render (p, 2048, { noteOn (0, 60) });
    EXPECT_EQ (counter.changes, afterFirstPrepare);
    p.removeListener (&counter);
}

TEST (Processor, VelocityDoesNotChangeTheSound)
{
    auto soft = makeProcessor();
    auto hard = makeProcessor();
    for (auto* p : { soft.get(), hard.get() })
        makeDeterministic (*p);
    const auto a = render (*soft, 4096, { noteOn (0, 60, 1) });
    const auto b = render (*hard, 4096, { noteOn (0, 60, 127) });
    for (int i = 0; i < 4096; ++i)
        ASSERT_EQ (a.getSample (0, i), b.getSample (0, i));
}

TEST (Processor, ChangingAWaveTypeCutsTheVoxAndFadesItBackIn)
{
    const auto sounding = []
    {
        auto p = makeProcessor();
        makeDeterministic (*p);
        for (int vox = 1; vox < 4; ++vox)
            setNormalised (*p, param::level (vox), 0.0f);
        setNormalised (*p, param::attack, 0.0f);
        setNormalised (*p, param::sustain, 1.0f);
        setNormalised (*p, param::reverbAmount, 0.0f); // no reverb tail over the cut
        setNormalised (*p, param::chorusMode, 0.0f);   // and chorus taps of a few samples only
        render (*p, 44100, { noteOn (0, 69) });
        return p;
    };

    auto p = sounding();
    auto unchanged = sounding();
    setNormalised (*p, param::type (0), 0.0f); // Sine -> Transistor while the note sounds
    const auto after = render (*p, 44100 / 2, {});
    const auto steady = render (*unchanged, 44100 / 2, {});

    const auto rmsOver = [&after] (int from, int to)
    {
        return after.getRMSLevel (0, from, to - from);
    };
    // Cut at once: what is left straight after the change is the ringing of the oversampler and of
    // the drive's crossover all-passes (about 5 ms at 440 Hz), far below the note that goes on.
    EXPECT_LT (rmsOver (320, 448), 0.2f * steady.getRMSLevel (0, 320, 128));
    // Then back to full over 150 ms.
    EXPECT_LT (rmsOver (1000, 1500), rmsOver (5000, 5500));
    EXPECT_GT (rmsOver (8000, 12000), 0.02f);
}
