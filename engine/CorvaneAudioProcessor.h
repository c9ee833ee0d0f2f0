#pragma once

#include "CorvaneSynthesiser.h"
#include "EffectFrameBuffer.h"
#include "ParameterTable.h"
#include "dsp/RampedValue.h"
#include "effects/ChorusEffect.h"
#include "effects/MultibandDrive.h"
#include "effects/PhaserEffect.h"
#include "effects/ReverbEngine.h"
#include "presets/PresetLibrary.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <atomic>
#include <memory>

namespace corvane
{

class CorvaneAudioProcessor : public juce::AudioProcessor,
                              public juce::ChangeBroadcaster
{
public:
    /** The plug-in as the host creates it: presets from the system's folders
        (test programs replace those for the whole process, see PresetFolderRoots). */
    CorvaneAudioProcessor();
    /** A processor whose preset library (and start-up preset) use other folders,
        for tests and tools that must not touch the machine's own. */
    explicit CorvaneAudioProcessor (const PresetFolderRoots& presetRoots);
    ~CorvaneAudioProcessor() override;

    const juce::String getName() const override { return "Corvane"; }
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    /** Appends one state record to destination. */
    void writeState (juce::MemoryBlock& destination, bool forPreset);
    /** Applies a state record; every byte sequence is accepted. */
    void readState (const void* data, int sizeInBytes, bool forPreset);

    /** The built-in start-up record: rows 0 to 20 only (84 bytes). */
    static const juce::MemoryBlock& getDefaultStateRecord();

    static constexpr int stateRecordSize = 133;
    static constexpr int stateRecordSizeWithPreset = 141;
    static constexpr int oversamplingFactor = 2;

    /** Normalised value of a synth parameter row. */
    float getParameterValue (int row) const { return getParameters()[row]->getValue(); }
    juce::AudioProcessorParameter* getParameterAt (int row) const { return getParameters()[row]; }

    /** Largest absolute output sample since the last call; resets it. */
    float readAndResetOutputPeak() noexcept { return outputPeak.exchange (0.0f, std::memory_order_relaxed); }
    float getOutputPeak() const noexcept { return outputPeak.load (std::memory_order_relaxed); }

    const PhaserEffect& getPhaser() const noexcept { return phaser; }
    float getEffectSampleRate() const noexcept { return effectSampleRate; }
    CorvaneSynthesiser& getSynthesiser() noexcept { return synthesiser; }
    int getPreparedBlockSize() const noexcept { return preparedBlockSize; }
    int getFrameBufferCapacity() const noexcept { return frameBuffer.getCapacity(); }

private:
    void updateVoiceParameters();
    void updateEffectParameters();
    void renderPiece (juce::AudioBuffer<float>& buffer, const juce::MidiBuffer& midi, int start, int length, bool last);
    void updateLatency();
    void applyStartupSound();

    // The host record's current-preset identity (the two name hashes).
    void writeCurrentPresetIdentity (juce::MemoryOutputStream& out);
    void restoreCurrentPreset (int bankNameHash, int presetNameHash);

    CorvaneSynthesiser synthesiser;
    ChorusEffect chorus;
    PhaserEffect phaser;
    MultibandDrive drive;
    ReverbEngine reverb;
    EffectFrameBuffer frameBuffer;

public:
    /** The preset banks and the current-preset record. Built after the effect
        stages and before the parameters; the editor keeps a pointer to it. */
    PresetLibrary presetLibrary;

private:

    std::atomic<float> outputPeak { 0.0f };
    RampedValue outputGain { 1.0f, 1024 };
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;

    float effectSampleRate = 44100.0f;
    int preparedBlockSize = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CorvaneAudioProcessor)
};

} // namespace corvane
