// Loads the built Corvane.vst3 and Corvane.lv2 through JUCE's plug-in hosting
// classes and checks the plug-in as a host sees it: identity, buses, the
// parameter list, latency, sound, state and automation. Every test runs once
// per format.

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace
{

struct ExpectedParameter
{
    const char* id;
    const char* name;
    bool isInt; // both formats publish these as continuous ranges (the framework marks them not discrete)
    float min, max, defaultValue;

    float defaultNormalised() const { return (defaultValue - min) / (max - min); }
};

// The host's view of the thirty parameters, in list order.
const ExpectedParameter expectedParameters[] = {
    { "0vox1level", "Vox 1 Level", false, 0.0f, 1.0f, 0.707f },
    { "1vox1octave", "Vox 1 Octave", true, -1, 2, 1 },
    { "2vox1type", "Vox 1 Type", true, 0, 3, 0 },
    { "3vox2level", "Vox 2 Level", false, 0.0f, 1.0f, 0.707f },
    { "4vox2octave", "Vox 2 Octave", true, -1, 2, -1 },
    { "5vox2type", "Vox 2 Type", true, 0, 3, 0 },
    { "6vox3level", "Vox 3 Level", false, 0.0f, 1.0f, 0.707f },
    { "7vox3octave", "Vox 3 Octave", true, -1, 2, 0 },
    { "8vox3type", "Vox 3 Type", true, 0, 3, 0 },
    { "9vox4level", "Vox 4 Level", false, 0.0f, 1.0f, 0.707f },
    { "10vox4octave", "Vox 4 Octave", true, -1, 2, 0 },
    { "11vox4type", "Vox 4 Type", true, 0, 3, 0 },
    { "12attack", "Attack", false, 0.01f, 2.0f, 1.0f },
    { "13decay", "Decay", false, 0.0049f, 2.0f, 1.0f },
    { "14sustain", "Sustain", false, 0.0f, 1.0f, 0.75f },
    { "15release", "Release", false, 0.01f, 4.0f, 2.5f },
    { "16chorusmode", "Chorus Mode", true, 0, 3, 0 },
    { "17phaserrate", "Phaser Rate", false, 0.02f, 8.0f, 0.5f },
    { "18phasermode", "Phaser Mode", true, 0, 2, 0 },
    { "19reverbamount", "Reverb Amount", false, 0.0f, 1.0f, 0.0f },
    { "20outputlevel", "Output Level", false, 0.0f, 1.5f, 1.0f },
    { "21vox1semi", "Vox 1 Semi", true, -11, 11, 0 },
    { "22vox1finetune", "Vox 1 Fine Tune", false, -1.0f, 1.0f, 0.0f },
    { "23vox2semi", "Vox 2 Semi", true, -11, 11, 0 },
    { "24vox2finetune", "Vox 2 Fine Tune", false, -1.0f, 1.0f, 0.0f },
    { "25vox3semi", "Vox 3 Semi", true, -11, 11, 0 },
    { "26vox3finetune", "Vox 3 Fine Tune", false, -1.0f, 1.0f, 0.0f },
    { "27vox4semi", "Vox 4 Semi", true, -11, 11, 0 },
    { "28vox4finetune", "Vox 4 Fine Tune", false, -1.0f, 1.0f, 0.0f },
    { "29driveamount", "Drive Amount", false, 0.0f, 1.0f, 0.0f },
};
constexpr int numParameters = 30;
constexpr int outputLevelRow = 20;
constexpr int firstTypeRow = 2; // rows 2, 5, 8, 11

/** The number a JUCE VST3 plug-in publishes for a parameter ID (top bit cleared). */
juce::String vst3ParameterNumber (const char* id)
{
    const auto hash = (std::uint32_t) juce::String (id).hashCode() & 0x7fffffffu;
    return juce::String ((juce::int64) hash);
}

/** The property an LV2 build publishes for a parameter ID: the framework turns a
    character that cannot start a Turtle name (our leading digit) into '_'. */
juce::String lv2ParameterUri (const char* id)
{
    return juce::String (CORVANE_LV2_URI) + ":_" + juce::String (id).substring (1);
}

/** The hash a JUCE host files a VST3 class under: the raw 16 bytes of its class ID. */
int vst3ClassHash (std::uint32_t a, std::uint32_t b, const char* manufacturer, const char* plugin)
{
    char bytes[16];
    const std::uint32_t words[4] = { a, b,
                                     (std::uint32_t) (juce::uint8) manufacturer[0] << 24 | (std::uint32_t) (juce::uint8) manufacturer[1] << 16
                                         | (std::uint32_t) (juce::uint8) manufacturer[2] << 8 | (juce::uint8) manufacturer[3],
                                     (std::uint32_t) (juce::uint8) plugin[0] << 24 | (std::uint32_t) (juce::uint8) plugin[1] << 16
                                         | (std::uint32_t) (juce::uint8) plugin[2] << 8 | (juce::uint8) plugin[3] };
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < 4; ++i)
            bytes[w * 4 + i] = (char) (words[w] >> (24 - 8 * i));

    std::uint32_t value = 0;
    for (char c : bytes)
        value = value * 31 + (std::uint32_t) c;
    return (int) value;
}

juce::AudioPluginFormatManager& formats()
{
    static const auto manager = []
    {
        auto m = std::make_unique<juce::AudioPluginFormatManager>();
        m->addDefaultFormats();
        return m;
    }();
    return *manager;
}

juce::AudioPluginFormat* formatNamed (const juce::String& name)
{
    for (int i = 0; i < formats().getNumFormats(); ++i)
        if (formats().getFormat (i)->getName() == name)
            return formats().getFormat (i);
    return nullptr;
}

/** Finds the plug-in in the build tree, as a host's scan would. */
std::unique_ptr<juce::PluginDescription> describe (const juce::String& formatName)
{
    auto* format = formatNamed (formatName);
    if (format == nullptr)
        return {};

    juce::OwnedArray<juce::PluginDescription> found;
    if (formatName == "LV2")
    {
        const juce::File bundle (CORVANE_LV2_BUNDLE);
        format->searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()), false, false);
        format->findAllTypesForFile (found, CORVANE_LV2_URI);
    }
    else
    {
        format->findAllTypesForFile (found, CORVANE_VST3_BUNDLE);
    }

    if (found.size() != 1)
        return {};
    return std::make_unique<juce::PluginDescription> (*found[0]);
}

constexpr double testRate = 48000.0;
constexpr int testBlock = 512;

class HostedPlugin : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        description = describe (GetParam());
        ASSERT_NE (description, nullptr) << "the " << GetParam() << " plug-in was not found in the build tree";
    }

    std::unique_ptr<juce::AudioPluginInstance> load (double rate = testRate, int block = testBlock)
    {
        juce::String error;
        auto instance = formats().createPluginInstance (*description, rate, block, error);
        EXPECT_NE (instance, nullptr) << error;
        if (instance != nullptr)
        {
            instance->enableAllBuses();
            instance->setRateAndBufferSizeDetails (rate, block);
            instance->prepareToPlay (rate, block);
        }
        return instance;
    }

    /** The hosted parameter of a table row, found by the identity the format publishes. */
    juce::AudioProcessorParameter* parameter (juce::AudioPluginInstance& p, int row) const
    {
        const auto wanted = isVst3() ? vst3ParameterNumber (expectedParameters[row].id)
                                     : lv2ParameterUri (expectedParameters[row].id);
        for (auto* param : p.getParameters())
            if (auto* withId = dynamic_cast<juce::HostedAudioProcessorParameter*> (param))
            {
                auto id = withId->getParameterID();
                if (id.startsWith ("des:")) // the LV2 host's prefix for designated properties
                    id = id.substring (4);
                if (id == wanted)
                    return param;
            }
        return nullptr;
    }

    void set (juce::AudioPluginInstance& p, int row, float v) const
    {
        auto* param = parameter (p, row);
        param->beginChangeGesture();
        param->setValueNotifyingHost (v);
        param->endChangeGesture();
    }

    /** Every Vox a pure sine: those have no phase jitter, so two instances sound alike. */
    void makeDeterministic (juce::AudioPluginInstance& p) const
    {
        for (int vox = 0; vox < 4; ++vox)
            set (p, firstTypeRow + 3 * vox, 1.0f);
    }

    /** Renders numBlocks blocks; a note-on at the start of the first, its note-off after
        noteOffBlock blocks (a negative note renders without MIDI). */
    static juce::AudioBuffer<float> render (juce::AudioPluginInstance& p, int numBlocks, int block = testBlock,
                                            int noteOffBlock = -1, int note = 60)
    {
        const int channels = juce::jmax (p.getTotalNumInputChannels(), p.getTotalNumOutputChannels());
        juce::AudioBuffer<float> out (channels, numBlocks * block);
        juce::AudioBuffer<float> buffer (channels, block);
        for (int b = 0; b < numBlocks; ++b)
        {
            juce::MidiBuffer midi;
            if (b == 0 && note >= 0)
                midi.addEvent (juce::MidiMessage::noteOn (1, note, (juce::uint8) 100), 0);
            if (b == noteOffBlock && note >= 0)
                midi.addEvent (juce::MidiMessage::noteOff (1, note), 0);
            buffer.clear();
            p.processBlock (buffer, midi);
            for (int ch = 0; ch < channels; ++ch)
                out.copyFrom (ch, b * block, buffer, ch, 0, block);
        }
        return out;
    }

    static float peakOf (const juce::AudioBuffer<float>& b, int start = 0, int end = -1)
    {
        if (end < 0)
            end = b.getNumSamples();
        float peak = 0.0f;
        for (int ch = 0; ch < b.getNumChannels(); ++ch)
            for (int i = start; i < end; ++i)
                peak = std::max (peak, std::abs (b.getSample (ch, i)));
        return peak;
    }

    static bool allFinite (const juce::AudioBuffer<float>& b)
    {
        for (int ch = 0; ch < b.getNumChannels(); ++ch)
            for (int i = 0; i < b.getNumSamples(); ++i)
                if (! std::isfinite (b.getSample (ch, i)))
                    return false;
        return true;
    }

    bool isVst3() const { return juce::String (GetParam()) == "VST3"; }

    std::unique_ptr<juce::PluginDescription> description;
};

TEST_P (HostedPlugin, IdentityAndBuses)
{
    EXPECT_EQ (description->name, "Corvane");
    EXPECT_TRUE (description->isInstrument);
    EXPECT_EQ (description->numInputChannels, 0);
    EXPECT_EQ (description->numOutputChannels, 2);
    if (isVst3())
    {
        EXPECT_EQ (description->manufacturerName, "Ostrevall");
        // The wrapper's component class ID carries the manufacturer and plug-in codes.
        EXPECT_EQ (description->deprecatedUid, vst3ClassHash (0xABCDEF01, 0x9182FAEB, "Ostr", "Qvmx"));
    }

    auto p = load();
    ASSERT_NE (p, nullptr);
    EXPECT_EQ (p->getName(), "Corvane");
    EXPECT_TRUE (p->acceptsMidi());
    EXPECT_FALSE (p->producesMidi());
    EXPECT_EQ (p->getBusCount (true), 0);
    EXPECT_EQ (p->getTotalNumInputChannels(), 0);
    ASSERT_EQ (p->getBusCount (false), 1);
    EXPECT_EQ (p->getBus (false, 0)->getCurrentLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (p->getTailLengthSeconds(), 0.0);

    // A VST3 host may only renegotiate the layout while the plug-in is inactive.
    p->releaseResources();
    juce::AudioProcessor::BusesLayout layout;
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    EXPECT_TRUE (p->checkBusesLayoutSupported (layout));
    layout.outputBuses.getReference (0) = juce::AudioChannelSet::create5point1();
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout));
    layout.outputBuses.getReference (0) = juce::AudioChannelSet::quadraphonic();
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout));

    // LV2 fixes its ports in the bundle: only VST3 lets the host ask for mono.
    if (isVst3())
    {
        layout.outputBuses.getReference (0) = juce::AudioChannelSet::mono();
        EXPECT_TRUE (p->checkBusesLayoutSupported (layout));
        ASSERT_TRUE (p->setBusesLayout (layout));
        p->prepareToPlay (testRate, testBlock);
        EXPECT_EQ (p->getTotalNumOutputChannels(), 1);
        const auto mono = render (*p, 40);
        EXPECT_TRUE (allFinite (mono));
        EXPECT_GT (peakOf (mono), 0.01f);
    }
}

TEST_P (HostedPlugin, ThirtyParametersInTableOrder)
{
    auto p = load();
    ASSERT_NE (p, nullptr);

    // Beside the plug-in's thirty, the wrappers add a bypass parameter and (VST3) a bank
    // of MIDI-controller parameters that cannot be automated.
    const auto params = p->getParameters();
    int automatable = 0;
    for (auto* param : params)
        if (param->isAutomatable() && param != p->getBypassParameter())
            ++automatable;
    EXPECT_EQ (automatable, numParameters);

    for (int row = 0; row < numParameters; ++row)
    {
        const auto& e = expectedParameters[row];
        auto* param = parameter (*p, row);
        ASSERT_NE (param, nullptr) << e.id;

        // A VST3 host lists parameters in the plug-in's order; an LV2 host sorts the
        // bundle's properties itself (their order in the bundle is checked with its TTL).
        if (isVst3())
        {
            EXPECT_EQ (params.indexOf (param), row) << e.id;
        }
        EXPECT_EQ (param->getName (100), e.name) << e.id;
        EXPECT_NEAR (param->getDefaultValue(), e.defaultNormalised(), 1e-6f) << e.id;
        EXPECT_TRUE (param->isAutomatable()) << e.id;
        EXPECT_EQ (param->getLabel(), "") << e.id;
    }

    if (isVst3())
    {
        // The plug-in's own text: floats with seven decimals, integers plain.
        EXPECT_EQ (params[22]->getText (0.75f, 100), "0.5000000"); // Vox 1 Fine Tune
        EXPECT_EQ (params[0]->getText (0.5f, 100), "0.5000000");   // Vox 1 Level
        EXPECT_EQ (params[20]->getText (1.0f, 100), "1.5000000");  // Output Level
        EXPECT_EQ (params[12]->getText (0.0f, 100), "0.0100000");  // Attack
        EXPECT_EQ (params[1]->getText (1.0f, 100), "2");           // Vox 1 Octave
        EXPECT_EQ (params[21]->getText (0.0f, 100), "-11");        // Vox 1 Semi
    }
}

TEST_P (HostedPlugin, LatencyIsTheOversamplers)
{
    juce::dsp::Oversampling<float> reference (2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, false, false);
    reference.initProcessing (testBlock);
    const int expected = (int) std::nearbyint (reference.getLatencyInSamples());
    ASSERT_GT (expected, 0);

    for (const double rate : { 44100.0, 96000.0 })
    {
        auto p = load (rate);
        ASSERT_NE (p, nullptr);
        render (*p, 2); // LV2 reports latency through an output port, read after a run
        EXPECT_EQ (p->getLatencySamples(), expected) << rate;
    }
}

TEST_P (HostedPlugin, NoteIsAudibleAndFinite)
{
    auto p = load();
    ASSERT_NE (p, nullptr);
    const auto out = render (*p, 100, testBlock, 60);
    EXPECT_TRUE (allFinite (out));
    EXPECT_GT (peakOf (out, 0, 60 * testBlock), 0.03f); // about -30 dBFS at the very least
    EXPECT_LT (peakOf (out), 2.0f);
}

TEST_P (HostedPlugin, StateRestoresIntoAFreshInstance)
{
    // Integer rows take values they can hold exactly (17/22 is Semi +6).
    const std::pair<int, float> moves[] = { { 1, 0.0f }, { 12, 0.1f }, { 14, 0.4f }, { 17, 0.3f }, { 19, 0.5f },
                                            { 20, 0.6f }, { 23, 17.0f / 22.0f }, { 26, 0.2f }, { 29, 0.35f } };
    const auto setUp = [&] (juce::AudioPluginInstance& p)
    {
        makeDeterministic (p);
        for (auto [row, v] : moves)
            set (p, row, v);
        render (p, 1, testBlock, -2, -1); // parameter changes reach an LV2 plug-in with a run
    };

    auto a = load();
    ASSERT_NE (a, nullptr);
    setUp (*a);
    juce::MemoryBlock state;
    a->getStateInformation (state);
    ASSERT_GT (state.getSize(), 0u);

    auto b = load();
    ASSERT_NE (b, nullptr);
    b->setStateInformation (state.getData(), (int) state.getSize());
    render (*b, 1, testBlock, -2, -1);

    for (int row = 0; row < numParameters; ++row)
        EXPECT_NEAR (parameter (*b, row)->getValue(), parameter (*a, row)->getValue(), 1e-6f) << expectedParameters[row].id;
    for (auto [row, v] : moves)
        EXPECT_NEAR (parameter (*b, row)->getValue(), v, 1e-6f) << expectedParameters[row].id;

    // The restored instance sounds like one set up by hand, block for block.
    auto c = load();
    ASSERT_NE (c, nullptr);
    setUp (*c);
    const auto x = render (*c, 60, testBlock, 30);
    const auto y = render (*b, 60, testBlock, 30);
    EXPECT_GT (peakOf (x), 0.01f);
    float worst = 0.0f;
    for (int ch = 0; ch < x.getNumChannels(); ++ch)
        for (int i = 0; i < x.getNumSamples(); ++i)
            worst = std::max (worst, std::abs (x.getSample (ch, i) - y.getSample (ch, i)));
    EXPECT_LE (worst, 1e-6f);
}

TEST_P (HostedPlugin, ParameterSetThroughTheHostIsHeardInTheNextBlock)
{
    constexpr int block = 2048; // longer than the output level's 1024-sample ramp
    auto a = load (testRate, block);
    auto b = load (testRate, block);
    ASSERT_TRUE (a != nullptr && b != nullptr);
    makeDeterministic (*a);
    makeDeterministic (*b);

    const auto before = render (*b, 4, block);
    render (*a, 4, block);
    ASSERT_GT (peakOf (before, 3 * block), 0.01f);

    set (*b, outputLevelRow, 0.0f);
    juce::AudioBuffer<float> x (2, block), y (2, block);
    juce::MidiBuffer none;
    x.clear();
    y.clear();
    a->processBlock (x, none);
    b->processBlock (y, none);

    EXPECT_GT (peakOf (x, block - 256), 0.01f);
    EXPECT_EQ (peakOf (y, block - 256), 0.0f); // the ramp to silence has ended within this block
    EXPECT_LT (peakOf (y, block / 4, block / 2), peakOf (x, block / 4, block / 2));
}

TEST_P (HostedPlugin, SurvivesBrokenStateRecords)
{
    auto p = load();
    ASSERT_NE (p, nullptr);
    juce::MemoryBlock good;
    p->getStateInformation (good);

    // Hosts keep the plug-in's record inside a container of their own; put the broken
    // record there so that it reaches the plug-in rather than the host's parser.
    const auto wrap = [&] (const juce::MemoryBlock& record)
    {
        juce::MemoryBlock wrapped;
        if (isVst3())
        {
            auto xml = juce::AudioProcessor::getXmlFromBinary (good.getData(), (int) good.getSize());
            auto* component = xml != nullptr ? xml->getChildByName ("IComponent") : nullptr;
            EXPECT_NE (component, nullptr);
            if (component == nullptr)
                return wrapped;
            component->deleteAllTextElements();
            component->addTextElement (record.toBase64Encoding());
            juce::AudioProcessor::copyXmlToBinary (*xml, wrapped);
        }
        else
        {
            const auto text = good.toString();
            const auto key = juce::String (CORVANE_LV2_URI) + ":StateString> \"";
            const int start = text.indexOf (key);
            const int end = text.indexOfChar (start + key.length(), '"');
            EXPECT_TRUE (start > 0 && end > start);
            const auto replaced = text.substring (0, start + key.length()) + record.toBase64Encoding() + text.substring (end);
            wrapped.append (replaced.toRawUTF8(), replaced.getNumBytesAsUTF8() + 1);
        }
        return wrapped;
    };

    juce::Random random (5);
    std::vector<juce::MemoryBlock> records;
    records.emplace_back();
    records.emplace_back ("\x7f", 1);
    for (const int size : { 83, 84, 85, 133, 141, 1 << 20 })
    {
        juce::MemoryBlock m ((size_t) size);
        random.fillBitsRandomly (m.getData(), m.getSize());
        records.push_back (m);
    }
    juce::MemoryBlock nonFinite;
    for (int i = 0; i < 35; ++i)
    {
        const float values[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(), 1e30f, -5.0f };
        const float v = values[i % 5];
        nonFinite.append (&v, 4);
    }
    nonFinite.setSize (133);
    records.push_back (nonFinite);

    for (const auto& r : records)
    {
        const auto wrapped = wrap (r);
        p->setStateInformation (wrapped.getData(), (int) wrapped.getSize());
        const auto out = render (*p, 8);
        ASSERT_TRUE (allFinite (out)) << "record of " << r.getSize() << " bytes";
        for (int row = 0; row < numParameters; ++row)
        {
            const float v = parameter (*p, row)->getValue();
            ASSERT_TRUE (std::isfinite (v) && v >= 0.0f && v <= 1.0f) << expectedParameters[row].id << " " << v;
        }
    }

    // A one-byte record: rows 0 to 20 read 0, rows 21 to 29 take their defaults. (An
    // empty one never gets past a VST3 host's wrapper.)
    const auto oneByte = wrap (juce::MemoryBlock ("\x7f", 1));
    p->setStateInformation (oneByte.getData(), (int) oneByte.getSize());
    render (*p, 1, testBlock, -2, -1);
    EXPECT_EQ (parameter (*p, 0)->getValue(), 0.0f);
    EXPECT_NEAR (parameter (*p, 21)->getValue(), 0.5f, 1e-6f);

    p->setStateInformation (good.getData(), (int) good.getSize());
    EXPECT_GT (peakOf (render (*p, 40)), 0.01f);
}

INSTANTIATE_TEST_SUITE_P (Formats, HostedPlugin, ::testing::Values ("VST3", "LV2"),
                          [] (const auto& info) { return std::string (info.param); });

} // namespace
