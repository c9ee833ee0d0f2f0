#pragma once

#include "dsp/Biquad.h"
#include "dsp/DelayLine4.h"
#include "dsp/Float4.h"
#include "dsp/RampedValue.h"

#include <vector>

namespace corvane
{

/** Algorithmic reverb of four-lane blocks: equalisers before and after the tank,
    multi-tap early reflections, serial all-pass diffusers, damped feedback combs,
    modulated feedback lines and a wet/dry mixer. Reverb Amount sets the decay and
    the mix; every other setting is a fixed value installed by prepare. */
class ReverbEngine
{
public:
    /** Interleaved input frames held per call; longer blocks are processed in pieces. */
    static constexpr int inputBufferFrames = 262144;
    static constexpr int maxErGroups = 5;
    static constexpr int maxCombs = 5;

    enum EqType { highPass = 0, lowShelf = 1, peak = 2, highShelf = 3, lowPass = 4 };

    ReverbEngine();

    void prepare (float sampleRate);
    /** Per-block targets from Reverb Amount: decay in seconds and the wet/dry mix (0 to 1). */
    void setDecay (float seconds);
    void setMix (float mix);
    /** Applies pending setting changes, then processes the block in place:
        the mono path for one channel, the stereo path for two. */
    void process (float* const* channels, int numChannels, int numSamples) noexcept;

    // For tests and diagnostics.
    int getType() const noexcept { return type; }
    float getDecay() const noexcept { return decay.ramp.getCurrent(); }
    float getMix() const noexcept { return mix.ramp.getCurrent(); }
    Float4 getCombFeedback (int side, int comb) const noexcept { return (side == 0 ? combsL : combsR)[comb].getFeedback(); }
    Float4 getLeftErGains (int group) const noexcept { return erGainsL[group]; }
    Float4 getRightErGains (int group) const noexcept { return erGainsR[group]; }

private:
    /** A ramp that reports a change while it moves and once more when it lands. */
    struct TrackedRamp
    {
        explicit TrackedRamp (float initial) : ramp (initial) {}
        RampedValue ramp;
        float value = ramp.getCurrent();
        bool settle = false;

        bool idle() const noexcept { return ! settle && ! ramp.isRamping(); }

        bool advance() noexcept
        {
            const bool moving = ramp.isRamping();
            value = ramp.next();
            const bool changed = moving || settle;
            settle = moving;
            return changed;
        }
    };

    struct Equaliser
    {
        TrackedRamp frequency { 1000.0f }, q { 0.1f }, gain { 1.0f };
        int eqType = peak;
        bool typeChanged = true;
        BiquadTDF2 filter;

        /** Advances the three ramps and redesigns when one moved or the type changed. */
        void advance (float sampleRate) noexcept;
        bool idle() const noexcept { return ! typeChanged && frequency.idle() && q.idle() && gain.idle(); }
        Float4 process (Float4 x) noexcept { return filter.process (x); }
        void design (float sampleRate) noexcept;
    };

    struct TypePreset
    {
        int numErGroups;
        float erDelay[maxErGroups][4];
        float erGain[maxErGroups][4];
        float inputDiffuserDelay[4];
        float inputDiffuserGain[4];
        int numCombs;
        float combDelay[maxCombs][4];
        float combGain;
        float modulatedDelay[4];
    };

    static const TypePreset typePresets[3];

    void setType (int newType) noexcept;
    void applyPendingChanges() noexcept;
    void updateLeftErGains() noexcept;
    void updateFeedback() noexcept;
    void updateDamping() noexcept;
    void updateModulationRate() noexcept;
    void updateModulationDepth() noexcept;
    /** Advances every per-sample setting ramp and what depends on it. */
    void advanceRamps() noexcept;
    void updateMixGains() noexcept;
    float preDelayProcess (float x) noexcept;

    void processStereo (float* left, float* right, int numSamples) noexcept;
    void processMono (float* samples, int numSamples) noexcept;

    float sampleRate = 0.0f;
    int type = 0;
    int pendingType = 0;

    // Settings.
    TrackedRamp preDelay { 0.01f };
    Equaliser preEq, postEq;
    TrackedRamp decay { 1.3f }, damping { 0.8f }, spread { 0.7f }, modRate { 0.2f }, modDepth { 0.25f };
    TrackedRamp diffusion { 1.0f }, erLrMix { 0.5f }, mix { 0.5f };

    // Pre-delay line: two crossfaded taps.
    DelayLine4 preDelayLine;
    Float4 tapDelay[2], tapGain[2];
    int activeTap = 0;
    int crossfadeCounter = 0;
    bool passThrough = false;

    DelayLine4 erLineL, erLineR;
    DelayLine4::Tap erTaps[maxErGroups];
    Float4 erGainsL[maxErGroups], erGainsR[maxErGroups], erGainsMono[maxErGroups];
    AllPassChain4 inputDiffuser, outputDiffuser;
    DampedComb4 combsL[maxCombs], combsR[maxCombs];
    ModulatedLine4 modulatedA, modulatedB;
    Float4 combOutputGain { 0.1f, -0.1f, 0.1f, -0.1f };

    float dryGain = 1.0f, wetGain = 0.0f, mixForGains = -1.0f;
    bool rampsIdle = false; // every setting at rest: the per-sample updates can be skipped

    std::vector<Float4> inputFrames;
};

} // namespace corvane
