#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvane;
using namespace corvane::test;

namespace
{
    juce::MemoryBlock stateOf (CorvaneAudioProcessor& p, bool forPreset = false)
    {
        juce::MemoryBlock block;
        p.writeState (block, forPreset);
        return block;
    }

    float floatAt (const juce::MemoryBlock& b, size_t offset)
    {
        float f;
        std::memcpy (&f, static_cast<const char*> (b.getData()) + offset, 4);
        return juce::ByteOrder::swapIfBigEndian (f);
    }

    std::vector<float> valuesOf (CorvaneAudioProcessor& p)
    {
        std::vector<float> v;
        for (int row = 0; row < numSynthParameters; ++row)
            v.push_back (p.getParameterValue (row));
        return v;
    }
}

TEST (State, RecordLayout)
{
    CorvaneAudioProcessor p;
    for (int row = 0; row < numSynthParameters; ++row)
        setNormalised (p, row, (float) (row + 1) / 32.0f);

    const auto host = stateOf (p);
    const auto preset = stateOf (p, true);
    ASSERT_EQ (host.getSize(), 133u);
    ASSERT_EQ (preset.getSize(), 133u);
    EXPECT_EQ (host, preset);

    for (int row = 0; row <= 20; ++row)
        EXPECT_EQ (floatAt (host, (size_t) row * 4), p.getParameterValue (row)) << row;
    for (size_t i = 84; i < 97; ++i)
        EXPECT_EQ (static_cast<const char*> (host.getData())[i], 0) << i;
    for (int row = 21; row < 30; ++row)
        EXPECT_EQ (floatAt (host, 97 + (size_t) (row - 21) * 4), p.getParameterValue (row)) << row;

    // Appends to what the block already holds.
    juce::MemoryBlock withPrefix ("abc", 3);
    p.writeState (withPrefix, false);
    EXPECT_EQ (withPrefix.getSize(), 136u);
}

TEST (State, RestoresIntoAFreshInstanceWithTheSameSound)
{
    auto a = makeProcessor();
    makeDeterministic (*a);
    setNormalised (*a, param::vox2Semi, 0.75f);
    setNormalised (*a, param::vox3FineTune, 0.2f);
    setNormalised (*a, param::attack, 0.05f);
    setNormalised (*a, param::outputLevel, 0.5f);

    juce::MemoryBlock state;
    a->getStateInformation (state);

    auto b = makeProcessor();
    b->setStateInformation (state.getData(), (int) state.getSize());
    const auto va = valuesOf (*a), vb = valuesOf (*b);
    for (size_t row = 0; row < va.size(); ++row)
        EXPECT_FLOAT_EQ (va[row], vb[row]) << row;

    const std::vector<TimedEvent> events { noteOn (0, 57), noteOff (3000, 57) };
    auto fresh = makeProcessor();
    fresh->setStateInformation (state.getData(), (int) state.getSize());
    auto again = makeProcessor();
    again->setStateInformation (state.getData(), (int) state.getSize());
    const auto x = render (*fresh, 6000, events);
    const auto y = render (*again, 6000, events);
    for (int i = 0; i < 6000; ++i)
        ASSERT_EQ (x.getSample (0, i), y.getSample (0, i));
}

TEST (State, BuiltInDefaultRecordIsTheStartUpSound)
{
    const auto& record = CorvaneAudioProcessor::getDefaultStateRecord();
    ASSERT_EQ (record.getSize(), 84u);

    CorvaneAudioProcessor p;
    const float expected[21] = { 0.85225165f, 0.6666667f, 0.0f, 0.8014136f, 0.33333334f, 0.0f, 0.80141366f,
                                 0.33333334f, 0.0f, 0.74694425f, 0.0f, 0.0f, 0.49748743f, 0.5f, 0.75f,
                                 0.62406015f, 0.33333334f, 0.04006678f, 0.0f, 0.096551724f, 0.7699999f };
    for (int row = 0; row <= 20; ++row)
        EXPECT_EQ (p.getParameterValue (row), expected[row]) << row;
    for (int row = 21; row < 30; ++row)
        EXPECT_EQ (p.getParameterValue (row), synthParameterTable[row].defaultNormalised()) << row;

    EXPECT_EQ (plainValue (param::vox1Octave, p.getParameterValue (param::vox1Octave)), 1.0f);
    EXPECT_EQ (plainValue (param::vox4Octave, p.getParameterValue (param::vox4Octave)), -1.0f);
    EXPECT_EQ (plainValue (param::chorusMode, p.getParameterValue (param::chorusMode)), 1.0f);
    EXPECT_NEAR (plainValue (param::outputLevel, p.getParameterValue (param::outputLevel)), 0.889f, 1e-3f);
}

TEST (State, ShortRecordsFallBack)
{
    // Rows 0 to 20 missing from the data read as 0; rows 21 to 29 take their defaults.
    CorvaneAudioProcessor full;
    for (int row = 0; row < numSynthParameters; ++row)
        setNormalised (full, row, 0.6f);
    const auto record = stateOf (full);

    struct Case { int size; int rowsRead; bool tailRead; };
    const Case cases[] = { { 0, 0, false }, { 1, 0, false }, { 40, 10, false }, { 83, 20, false },
                           { 84, 21, false }, { 85, 21, false }, { 97, 21, false }, { 133, 21, true } };

    for (const auto& c : cases)
    {
        CorvaneAudioProcessor p;
        for (int row = 0; row < numSynthParameters; ++row)
            setNormalised (p, row, 0.3f);
        p.readState (record.getData(), c.size, false);

        for (int row = 0; row <= 20; ++row)
            EXPECT_EQ (p.getParameterValue (row), row < c.rowsRead ? full.getParameterValue (row) : 0.0f) << "size " << c.size << " row " << row;
        for (int row = 21; row < 30; ++row)
            EXPECT_EQ (p.getParameterValue (row), c.tailRead ? full.getParameterValue (row) : synthParameterTable[row].defaultNormalised())
                << "size " << c.size << " row " << row;
    }

    CorvaneAudioProcessor p;
    p.readState (nullptr, 0, false);
    EXPECT_EQ (p.getParameterValue (param::vox1Level), 0.0f);
    EXPECT_EQ (p.getParameterValue (param::vox1Semi), 0.5f);
}

TEST (State, RecordsWithThePresetIdentityReadTheTailAfterIt)
{
    CorvaneAudioProcessor source;
    for (int row = 0; row < numSynthParameters; ++row)
        setNormalised (source, row, 0.25f);
    const auto plain = stateOf (source);

    // A host record of 141 bytes: 8 identity bytes at offset 97, then rows 21 to 29.
    juce::MemoryBlock withIdentity (plain.getData(), 97);
    withIdentity.append ("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    withIdentity.append (static_cast<const char*> (plain.getData()) + 97, 36);
    ASSERT_EQ (withIdentity.getSize(), 141u);

    CorvaneAudioProcessor host;
    host.readState (withIdentity.getData(), 141, false);
    const auto expected = valuesOf (source);
    const auto got = valuesOf (host);
    for (int row = 0; row < numSynthParameters; ++row)
        EXPECT_FLOAT_EQ (got[(size_t) row], expected[(size_t) row]) << row;

    // A preset reader never looks for the identity: it takes the tail from offset 97.
    CorvaneAudioProcessor preset;
    preset.readState (plain.getData(), 133, true);
    const auto fromPreset = valuesOf (preset);
    for (int row = 0; row < numSynthParameters; ++row)
        EXPECT_FLOAT_EQ (fromPreset[(size_t) row], expected[(size_t) row]) << row;
}

TEST (State, NonFiniteAndOutOfRangeValuesAreMadeSafe)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float bad[] = { nan, inf, -inf, 7.5f, -3.0f, 1e30f };

    for (float v : bad)
    {
        juce::MemoryOutputStream out;
        for (int row = 0; row <= 20; ++row)
            out.writeFloat (v);
        for (int i = 0; i < 13; ++i)
            out.writeByte (0);
        for (int row = 21; row < 30; ++row)
            out.writeFloat (v);

        auto p = makeProcessor();
        p->readState (out.getData(), (int) out.getDataSize(), false);
        for (int row = 0; row < numSynthParameters; ++row)
        {
            const float value = p->getParameterValue (row);
            ASSERT_TRUE (std::isfinite (value)) << v << " row " << row;
            EXPECT_GE (value, 0.0f);
            EXPECT_LE (value, 1.0f);
            if (std::isnan (v))
            {
                EXPECT_EQ (value, synthParameterTable[row].defaultNormalised()) << row;
            }
        }

        const auto audio = render (*p, 8192, { noteOn (0, 60), noteOn (0, 64) });
        EXPECT_TRUE (allFinite (audio)) << v;
    }
}

TEST (State, RandomAndOversizedRecordsAreAccepted)
{
    juce::Random random (1234);
    for (int size : { 2, 133, 141, 5000, 1 << 20 })
    {
        juce::MemoryBlock data ((size_t) size);
        random.fillBitsRandomly (data.getData(), data.getSize());
        auto p = makeProcessor();
        p->setStateInformation (data.getData(), size);
        EXPECT_TRUE (allFinite (render (*p, 4096, { noteOn (0, 60) }))) << size;
    }
}

TEST (State, RestoreBroadcastsAChange)
{
    CorvaneAudioProcessor p;
    struct Counter : juce::ChangeListener
    {
        int count = 0;
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    } counter;
    p.addChangeListener (&counter);
    const auto record = stateOf (p);
    p.setStateInformation (record.getData(), (int) record.getSize());
    p.dispatchPendingMessages();
    EXPECT_EQ (counter.count, 1);
    p.removeChangeListener (&counter);
}
