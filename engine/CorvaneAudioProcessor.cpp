#include "CorvaneAudioProcessor.h"

#include "CorvaneVoice.h"
#include "editor/CorvaneAudioProcessorEditor.h"

#include <cmath>

namespace corvane
{

namespace
{
    constexpr int numVoices = 25;
    constexpr int firstTailRow = param::vox1Semi; // rows 21 to 29 come after the reserved bytes
    constexpr int reservedBytes = 13;
    constexpr int presetIdentityBytes = 8;
    constexpr int tailBytes = (numSynthParameters - firstTailRow) * 4;

    std::unique_ptr<juce::AudioProcessorParameter> makeParameter (const ParameterSpec& spec)
    {
        const juce::ParameterID id (parameterId (spec), 1);
        const juce::String name (spec.name);

        switch (spec.kind)
        {
            case ParameterKind::Float:
                return std::make_unique<juce::AudioParameterFloat> (
                    id, name, juce::NormalisableRange<float> (spec.min.f, spec.max.f, 0.0f, 1.0f, false), spec.defaultValue.f);
            case ParameterKind::Int:
                return std::make_unique<juce::AudioParameterInt> (id, name, spec.min.i, spec.max.i, spec.defaultValue.i);
            case ParameterKind::Bool:
                return std::make_unique<juce::AudioParameterBool> (id, name, spec.defaultValue.i != 0);
        }
        return {};
    }

    /** A normalised value fit to hand to a parameter: non-finite values take the
        parameter's default and others are limited to 0..1. */
    float sanitiseNormalised (float v, int row) noexcept
    {
        if (! std::isfinite (v))
            return synthParameterTable[row].defaultNormalised();
        return juce::jlimit (0.0f, 1.0f, v);
    }
}

const juce::MemoryBlock& CorvaneAudioProcessor::getDefaultStateRecord()
{
    static const juce::MemoryBlock record = []
    {
        static const float values[21] = {
            0.85225165f, 0.6666667f, 0.0f,       // Vox 1 level, octave, type
            0.8014136f, 0.33333334f, 0.0f,       // Vox 2
            0.80141366f, 0.33333334f, 0.0f,      // Vox 3
            0.74694425f, 0.0f, 0.0f,             // Vox 4
            0.49748743f, 0.5f, 0.75f, 0.62406015f, // attack, decay, sustain, release
            0.33333334f, 0.04006678f, 0.0f,      // chorus mode, phaser rate, phaser mode
            0.096551724f, 0.7699999f,            // reverb amount, output level
        };
        juce::MemoryOutputStream out;
        for (float v : values)
            out.writeFloat (v);
        return out.getMemoryBlock();
    }();
    return record;
}

CorvaneAudioProcessor::CorvaneAudioProcessor()
    : CorvaneAudioProcessor (PresetFolderRoots::forProcessor())
{
}

CorvaneAudioProcessor::CorvaneAudioProcessor (const PresetFolderRoots& presetRoots)
    : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      presetLibrary (presetRoots)
{
    presetLibrary.fileVersion = PresetFile::defaultFileVersion;
    presetLibrary.extension = "corvanepreset";
    presetLibrary.legacySize = PresetFile::defaultLegacySize;
    presetLibrary.rescan();

    outputPeak.store (0.0f);

    for (const auto& spec : synthParameterTable)
        addParameter (makeParameter (spec).release());

    outputGain.reset (synthParameterTable[param::outputLevel].defaultPlain());

    oversampler = std::make_unique<juce::dsp::Oversampling<float>> (
        2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, false, false);

    // The latency is known as soon as the filter exists. Reporting it here, before any
    // host sees the plug-in, spares hosts a latency change at the first prepare, which
    // a VST3 wrapper without an open editor would announce from its own thread.
    updateLatency();

    synthesiser.clearVoices();
    for (int i = 0; i < numVoices; ++i)
        synthesiser.addVoice (new CorvaneVoice());
    synthesiser.clearSounds();
    synthesiser.addSound (new CorvaneSound());

    applyStartupSound();
}

void CorvaneAudioProcessor::applyStartupSound()
{
    if (presetLibrary.selectByName (PresetLibrary::startupBankName, PresetLibrary::startupPresetName))
    {
        if (auto payload = presetLibrary.loadPresetPayload (presetLibrary.current.bankIndex,
                                                            presetLibrary.current.presetIndex))
        {
            readState (payload->getData(), (int) payload->getSize(), true);
            return;
        }
    }

    const auto& record = getDefaultStateRecord();
    readState (record.getData(), (int) record.getSize(), true);
}

CorvaneAudioProcessor::~CorvaneAudioProcessor() = default;

bool CorvaneAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();
    return out == juce::AudioChannelSet::mono() || out == juce::AudioChannelSet::stereo();
}

juce::AudioProcessorEditor* CorvaneAudioProcessor::createEditor()
{
    return new CorvaneAudioProcessorEditor (*this);
}

//==============================================================================
void CorvaneAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    const double hostRate = (std::isfinite (sampleRate) && sampleRate > 0.0) ? sampleRate : 44100.0;
    effectSampleRate = (float) juce::jmax (44100.0, hostRate);
    preparedBlockSize = maximumExpectedSamplesPerBlock > 0 ? maximumExpectedSamplesPerBlock : 512;

    chorus.prepare (effectSampleRate);
    phaser.prepare (effectSampleRate);
    reverb.prepare (effectSampleRate);
    drive.prepare (effectSampleRate);

    oversampler->initProcessing ((size_t) preparedBlockSize);
    synthesiser.setCurrentPlaybackSampleRate ((double) effectSampleRate * oversamplingFactor);
    frameBuffer.ensureCapacity (4 * preparedBlockSize);
    outputGain.snap();

    // Tell the host now rather than from the first block.
    updateLatency();
}

void CorvaneAudioProcessor::updateLatency()
{
    const int latency = roundHalfEven ((double) oversampler->getLatencyInSamples());
    if (latency != getLatencySamples())
        setLatencySamples (latency);
}

void CorvaneAudioProcessor::updateVoiceParameters()
{
    CorvaneVoice::Settings s {};
    for (int n = 0; n < 4; ++n)
    {
        s.level[n] = plainValue (param::level (n), getParameterValue (param::level (n)));
        s.octave[n] = (int) plainValue (param::octave (n), getParameterValue (param::octave (n)));
        s.wave[n] = (int) plainValue (param::type (n), getParameterValue (param::type (n)));
        s.semitone[n] = (int) plainValue (param::semi (n), getParameterValue (param::semi (n)));
        s.fineTune[n] = plainValue (param::fineTune (n), getParameterValue (param::fineTune (n)));
    }
    s.attack = plainValue (param::attack, getParameterValue (param::attack));
    s.release = plainValue (param::release, getParameterValue (param::release));
    s.decay = plainValue (param::decay, getParameterValue (param::decay));
    s.sustain = plainValue (param::sustain, getParameterValue (param::sustain));

    for (int i = 0; i < synthesiser.getNumVoices(); ++i)
        if (auto* voice = dynamic_cast<CorvaneVoice*> (synthesiser.getVoice (i)))
            voice->applySettings (s);
}

void CorvaneAudioProcessor::updateEffectParameters()
{
    chorus.setMode ((int) plainValue (param::chorusMode, getParameterValue (param::chorusMode)));

    const float rateNormalised = getParameterValue (param::phaserRate);
    phaser.setRate (plainValue (param::phaserRate, rateNormalised));
    phaser.setMode ((int) plainValue (param::phaserMode, getParameterValue (param::phaserMode)), rateNormalised);

    const float amount = getParameterValue (param::reverbAmount);
    reverb.setDecay (2.0f + 8.0f * amount);
    reverb.setMix (amount);
}

void CorvaneAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    juce::ScopedNoDenormals noDenormals;

    const int numSamples = buffer.getNumSamples();
    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        buffer.clear (ch, 0, numSamples);

    if (preparedBlockSize <= 0 || numSamples <= 0)
    {
        buffer.clear();
        return;
    }

    updateVoiceParameters();
    updateEffectParameters();
    buffer.clear();
    updateLatency();

    // Hosts may send more samples than they announced: render in pieces that fit
    // the oversampler and the frame buffer.
    for (int start = 0; start < numSamples; start += preparedBlockSize)
    {
        const int length = juce::jmin (preparedBlockSize, numSamples - start);
        renderPiece (buffer, midi, start, length, start + length >= numSamples);
    }
}

void CorvaneAudioProcessor::renderPiece (juce::AudioBuffer<float>& buffer, const juce::MidiBuffer& midi, int start,
                                         int length, bool last)
{
    // Every stage holds state for two channels at most; further channels stay silent.
    const int numChannels = juce::jmin (buffer.getNumChannels(), 2);
    float* channels[2] = { nullptr, nullptr };
    for (int ch = 0; ch < numChannels; ++ch)
        channels[ch] = buffer.getWritePointer (ch, start);

    if (numChannels > 0)
    {
        juce::dsp::AudioBlock<float> block (channels, (size_t) numChannels, (size_t) length);
        auto up = oversampler->processSamplesUp (block);

        float* upChannels[2] = { nullptr, nullptr };
        for (int ch = 0; ch < numChannels; ++ch)
            upChannels[ch] = up.getChannelPointer ((size_t) ch);
        juce::AudioBuffer<float> target (upChannels, numChannels, (int) up.getNumSamples());

        synthesiser.renderScaled (target, midi, start, length, oversamplingFactor, last);
        oversampler->processSamplesDown (block);
    }
    else
    {
        juce::AudioBuffer<float> none;
        synthesiser.renderScaled (none, midi, start, length, oversamplingFactor, last);
    }

    // Chorus and phaser run on interleaved frames: both channels in one vector.
    Float4* frames = frameBuffer.data();
    for (int n = 0; n < length; ++n)
    {
        alignas (16) float lanes[4];
        frames[n].store (lanes);
        for (int ch = 0; ch < numChannels; ++ch)
            lanes[ch] = channels[ch][n];
        frames[n] = Float4::load (lanes);
    }

    for (int n = 0; n < length; ++n)
    {
        chorus.process (frames[n]);
        phaser.process (frames[n]);
    }

    for (int n = 0; n < length; ++n)
    {
        alignas (16) float lanes[4];
        frames[n].store (lanes);
        for (int ch = 0; ch < numChannels; ++ch)
            channels[ch][n] = lanes[ch];
    }

    drive.setAmount (getParameterValue (param::driveAmount), length);
    for (int n = 0; n < length; ++n)
        for (int ch = 0; ch < numChannels; ++ch)
            channels[ch][n] = drive.process (channels[ch][n], ch);

    reverb.process (channels, numChannels, length);

    outputGain.setTarget (plainValue (param::outputLevel, getParameterValue (param::outputLevel)));
    float peak = 0.0f;
    for (int n = 0; n < length; ++n)
    {
        const float g = outputGain.next();
        for (int ch = 0; ch < numChannels; ++ch)
        {
            const float y = channels[ch][n] * g;
            channels[ch][n] = y;
            peak = juce::jmax (peak, std::abs (y));
        }
    }

    if (peak > outputPeak.load (std::memory_order_relaxed))
        outputPeak.store (peak, std::memory_order_relaxed);
}

//==============================================================================
void CorvaneAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    writeState (destData, false);
}

void CorvaneAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    readState (data, sizeInBytes, false);
}

void CorvaneAudioProcessor::writeState (juce::MemoryBlock& destination, bool forPreset)
{
    juce::MemoryOutputStream out (destination, true);

    for (int row = 0; row < firstTailRow; ++row)
        out.writeFloat (getParameterValue (row));

    out.writeInt (0);
    out.writeInt (0);
    out.writeByte (0);
    out.writeInt (0);

    if (! forPreset)
        writeCurrentPresetIdentity (out);

    for (int row = firstTailRow; row < numSynthParameters; ++row)
        out.writeFloat (getParameterValue (row));
}

void CorvaneAudioProcessor::readState (const void* data, int sizeInBytes, bool forPreset)
{
    if (data == nullptr || sizeInBytes < 0)
        sizeInBytes = 0;

    static const char empty = 0;
    juce::MemoryInputStream in (data != nullptr ? data : &empty, (size_t) sizeInBytes, false);

    // A value past the end of the data reads as 0.
    const auto readFloat = [&in]
    {
        return in.getNumBytesRemaining() >= 4 ? in.readFloat() : (in.setPosition (in.getTotalLength()), 0.0f);
    };
    const auto readInt = [&in]
    {
        return in.getNumBytesRemaining() >= 4 ? in.readInt() : (in.setPosition (in.getTotalLength()), 0);
    };

    for (int row = 0; row < firstTailRow; ++row)
    {
        const float v = sanitiseNormalised (readFloat(), row);
        auto* p = getParameterAt (row);
        if (v != p->getValue())
            p->setValueNotifyingHost (v);
    }

    in.skipNextBytes (reservedBytes);

    if (! forPreset && in.getNumBytesRemaining() >= presetIdentityBytes + tailBytes)
    {
        const int bankHash = readInt();
        const int presetHash = readInt();
        restoreCurrentPreset (bankHash, presetHash);
    }

    for (int row = firstTailRow; row < numSynthParameters; ++row)
    {
        auto* p = getParameterAt (row);
        const float v = in.getNumBytesRemaining() > 0 ? sanitiseNormalised (readFloat(), row)
                                                      : synthParameterTable[row].defaultNormalised();
        p->setValueNotifyingHost (v);
    }

    sendChangeMessage();
}

void CorvaneAudioProcessor::writeCurrentPresetIdentity (juce::MemoryOutputStream& out)
{
    if (! presetLibrary.current.valid)
        return;

    out.writeInt (presetLibrary.currentBankNameHash());
    out.writeInt (presetLibrary.current.name.hashCode());
}

void CorvaneAudioProcessor::restoreCurrentPreset (int bankNameHash, int presetNameHash)
{
    presetLibrary.restoreCurrentFromHashes (bankNameHash, presetNameHash);
}

} // namespace corvane

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new corvane::CorvaneAudioProcessor();
}
