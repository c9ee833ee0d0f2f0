#include "ReverbEngine.h"

#include "dsp/Float4Lanes.h"

#include <cmath>

namespace corvane
{

namespace
{
    // The fixed settings the engine runs with.
    constexpr float fixedPreDelayMs = 0.5f;
    constexpr float fixedPreEqHz = 234.39494f, fixedPreEqQ = 0.414103f, fixedPreEqDb = -3.0359249f;
    constexpr float fixedPostEqHz = 5009.8164f, fixedPostEqQ = 0.1f, fixedPostEqDb = 2.871815f;
    constexpr float preparedDecaySeconds = 10.0f;
    constexpr float fixedDampingHz = 13825.726f;
    constexpr float fixedSpread = 1.0f;
    constexpr float fixedModRateHz = 0.2f;
    constexpr float fixedModDepth = 0.3f;
    constexpr float fixedDiffusion = 0.8f;
    constexpr float fixedErLrMix = 0.6f;
    constexpr int typeInUse = 1; // Type Two

    constexpr int preDelayCrossfade = 4096;

    const Float4 outputDiffuserDelays { 0.00938f, 0.011f, 0.00938f, 0.011f };
    const Float4 outputDiffuserGains { -0.6f, 0.6f, -0.6f, 0.6f };
    constexpr float rightCombOffsetSeconds = 0.00043f;

    const Float4 modRateOffsetA { -0.02f, -0.01f, 0.0f, 0.01f };
    const Float4 modRateOffsetB { 0.01f, 0.0f, -0.01f, -0.02f };
    const Float4 modDepthOffsetA { -0.05f, -0.03f, 0.0f, -0.02f };
    const Float4 modDepthOffsetB { -0.02f, 0.0f, -0.03f, -0.05f };

    float dbToGain (float db) { return std::pow (10.0f, db / 20.0f); }

    int capacityFor (double seconds, float sr) { return (int) std::ceil (seconds * (double) sr); }

    /** The alternating dB offset of left early-reflection tap j (0 to 19). */
    float leftTapOffsetDb (int j)
    {
        const float sign = (j % 2 == 0) ? -1.0f : 1.0f;
        return sign * (2.8f + (float) j * 0.5f / 19.0f);
    }

    Float4 lanesOf (const float* v) { return Float4 (v[0], v[1], v[2], v[3]); }

    /** Lanes 1 and 3 from a, lanes 0 and 2 from b. */
    Float4 oddFromFirst (Float4 a, Float4 b) noexcept
    {
        const Float4 odd = Float4 (0.0f, 1.0f, 0.0f, 1.0f) != Float4 (0.0f);
        return select (odd, a, b);
    }

    /** Lane 3 from a, lanes 0 to 2 from b. */
    Float4 lastFromFirst (Float4 a, Float4 b) noexcept
    {
        const Float4 last = Float4 (0.0f, 0.0f, 0.0f, 1.0f) != Float4 (0.0f);
        return select (last, a, b);
    }
}

// Type One: a smaller, brighter room. Type Two: the hall the plug-in uses.
// Type Three: a short, sparse plate-like space.
const ReverbEngine::TypePreset ReverbEngine::typePresets[3] = {
    { 5,
      { { 0.0031f, 0.0119f, 0.0142f, 0.0183f }, { 0.0201f, 0.0228f, 0.0297f, 0.0331f }, { 0.0376f, 0.0398f, 0.0415f, 0.0442f },
        { 0.0467f, 0.0489f, 0.0513f, 0.0538f }, { 0.0561f, 0.0592f, 0.0f, 0.0f } },
      { { 0.812f, 0.688f, 0.561f, 0.463f }, { 0.422f, 0.371f, 0.318f, 0.297f }, { 0.251f, 0.233f, 0.219f, 0.204f },
        { 0.188f, 0.171f, 0.162f, 0.149f }, { 0.137f, 0.121f, 0.0f, 0.0f } },
      { 0.0089f, 0.0251f, 0.0089f, 0.0251f },
      { -0.68f, 0.68f, -0.68f, 0.68f },
      5,
      { { 0.041233f, 0.044122f, 0.049731f, 0.055711f }, { 0.061903f, 0.067541f, 0.073449f, 0.079717f },
        { 0.086023f, 0.091831f, 0.098669f, 0.104539f }, { 0.110891f, 0.116871f, 0.123607f, 0.129703f },
        { 0.136957f, 0.143189f, 0.149717f, 0.156779f } },
      0.1f,
      { 0.0181f, 0.0184f, 0.0187f, 0.0191f } },
    { 5,
      { { 0.0043f, 0.0215f, 0.0225f, 0.0268f }, { 0.0270f, 0.0298f, 0.0458f, 0.0485f }, { 0.0572f, 0.0587f, 0.0595f, 0.0612f },
        { 0.0707f, 0.0708f, 0.0726f, 0.0741f }, { 0.0753f, 0.0797f, 0.0f, 0.0f } },
      { { 0.741f, 0.704f, 0.491f, 0.379f }, { 0.380f, 0.346f, 0.289f, 0.272f }, { 0.192f, 0.193f, 0.217f, 0.181f },
        { 0.180f, 0.181f, 0.176f, 0.142f }, { 0.167f, 0.134f, 0.0f, 0.0f } },
      { 0.0126f, 0.0373333f, 0.0126f, 0.0373333f },
      { -0.707f, 0.707f, -0.707f, 0.707f },
      5,
      { { 0.051043f, 0.054671f, 0.061655f, 0.069138f }, { 0.076848f, 0.083923f, 0.091315f, 0.099161f },
        { 0.107052f, 0.114308f, 0.122834f, 0.130181f }, { 0.138118f, 0.145601f, 0.154036f, 0.161655f },
        { 0.170726f, 0.178526f, 0.186689f, 0.195533f } },
      0.1f,
      { 0.0223f, 0.0227f, 0.0229f, 0.0233f } },
    { 2,
      { { 0.0017f, 0.0052f, 0.0079f, 0.0113f }, { 0.0138f, 0.0171f, 0.0197f, 0.0226f }, {}, {}, {} },
      { { 0.902f, 0.776f, 0.651f, 0.548f }, { 0.463f, 0.391f, 0.327f, 0.274f }, {}, {}, {} },
      { 0.0047f, 0.0143f, 0.0047f, 0.0143f },
      { -0.75f, 0.75f, -0.75f, 0.75f },
      4,
      { { 0.029411f, 0.031627f, 0.035567f, 0.039979f }, { 0.044497f, 0.048611f, 0.052859f, 0.057373f },
        { 0.061961f, 0.066151f, 0.071089f, 0.075331f }, { 0.079949f, 0.084263f, 0.089137f, 0.093553f }, {} },
      0.1f,
      { 0.0127f, 0.0131f, 0.0134f, 0.0139f } },
};

//==============================================================================
void ReverbEngine::Equaliser::design (float sr) noexcept
{
    const double f = frequency.value, qv = q.value > 1.0e-6f ? q.value : 1.0e-6f;
    BiquadDesign d;
    if (eqType == highPass)
        d = BiquadDesign::butterworthHighPass (f, sr);
    else if (eqType == lowPass)
        d = BiquadDesign::butterworthLowPass (f, sr);
    else
    {
        const double A = std::sqrt ((double) (gain.value > 0.0f ? gain.value : 0.0f));
        const double w0 = 6.283185307179586476925 * f / sr;
        const double cw = std::cos (w0), alpha = std::sin (w0) / (2.0 * qv);
        const double sA = 2.0 * std::sqrt (A) * alpha;
        double b0, b1, b2, a0, a1, a2;
        if (eqType == lowShelf)
        {
            b0 = A * ((A + 1) - (A - 1) * cw + sA);
            b1 = 2 * A * ((A - 1) - (A + 1) * cw);
            b2 = A * ((A + 1) - (A - 1) * cw - sA);
            a0 = (A + 1) + (A - 1) * cw + sA;
            a1 = -2 * ((A - 1) + (A + 1) * cw);
            a2 = (A + 1) + (A - 1) * cw - sA;
        }
        else if (eqType == highShelf)
        {
            b0 = A * ((A + 1) + (A - 1) * cw + sA);
            b1 = -2 * A * ((A - 1) + (A + 1) * cw);
            b2 = A * ((A + 1) + (A - 1) * cw - sA);
            a0 = (A + 1) - (A - 1) * cw + sA;
            a1 = 2 * ((A - 1) - (A + 1) * cw);
            a2 = (A + 1) - (A - 1) * cw - sA;
        }
        else
        {
            const double Ad = A > 1.0e-9 ? A : 1.0e-9;
            b0 = 1 + alpha * Ad;
            b1 = -2 * cw;
            b2 = 1 - alpha * Ad;
            a0 = 1 + alpha / Ad;
            a1 = -2 * cw;
            a2 = 1 - alpha / Ad;
        }
        d.b0 = b0 / a0;
        d.b1 = b1 / a0;
        d.b2 = b2 / a0;
        d.a1 = a1 / a0;
        d.a2 = a2 / a0;
    }
    filter.setCoefficients (Biquad4Coefficients::fromDesign (d));
}

void ReverbEngine::Equaliser::advance (float sr) noexcept
{
    const bool f = frequency.advance(), qq = q.advance(), g = gain.advance();
    if (f || qq || g || typeChanged)
    {
        design (sr);
        typeChanged = false;
    }
}

//==============================================================================
ReverbEngine::ReverbEngine()
{
    decay.ramp.setTarget (2.0f);
    preEq.eqType = postEq.eqType = peak;
}

void ReverbEngine::prepare (float sr)
{
    if (sr != sampleRate)
    {
        sampleRate = sr;
        preDelayLine.allocate (capacityFor (0.31, sr));
        erLineL.allocate (capacityFor (0.08, sr));
        erLineR.allocate (capacityFor (0.08, sr));
        inputDiffuser.allocate (capacityFor (0.1, sr));
        outputDiffuser.allocate (capacityFor (0.1, sr));
        for (int i = 0; i < maxCombs; ++i)
        {
            combsL[i].allocate (capacityFor (0.196, sr));
            combsR[i].allocate (capacityFor (0.196, sr));
        }
        modulatedA.allocate (capacityFor (0.5, sr));
        modulatedB.allocate (capacityFor (0.5, sr));
        inputFrames.assign ((size_t) inputBufferFrames, Float4 (0.0f));

        // The pre-delay line starts at the setting's value as it is now.
        const float d = preDelay.ramp.getTarget() / 1000.0f * sr;
        tapDelay[0] = tapDelay[1] = Float4 (d);
        activeTap = 0;
        tapGain[0] = Float4 (1.0f);
        tapGain[1] = Float4 (0.0f);
        crossfadeCounter = 0;
        passThrough = (d == 0.0f);

        setType (type);
        updateFeedback();
        updateDamping();
        updateModulationRate();
        updateModulationDepth();
    }

    preDelay.ramp.setTarget (fixedPreDelayMs);
    preEq.eqType = peak;
    preEq.typeChanged = true;
    preEq.frequency.ramp.setTarget (fixedPreEqHz);
    preEq.q.ramp.setTarget (fixedPreEqQ);
    preEq.gain.ramp.setTarget (dbToGain (fixedPreEqDb));
    postEq.eqType = peak;
    postEq.typeChanged = true;
    postEq.frequency.ramp.setTarget (fixedPostEqHz);
    postEq.q.ramp.setTarget (fixedPostEqQ);
    postEq.gain.ramp.setTarget (dbToGain (fixedPostEqDb));
    decay.ramp.setTarget (preparedDecaySeconds);
    damping.ramp.setTarget (fixedDampingHz);
    spread.ramp.setTarget (fixedSpread);
    modRate.ramp.setTarget (fixedModRateHz);
    modDepth.ramp.setTarget (fixedModDepth);
    diffusion.ramp.setTarget (fixedDiffusion);
    erLrMix.ramp.setTarget (fixedErLrMix);
    pendingType = typeInUse;
    rampsIdle = false;
}

void ReverbEngine::setDecay (float seconds)
{
    decay.ramp.setTarget (seconds);
    rampsIdle = rampsIdle && ! decay.ramp.isRamping();
}

void ReverbEngine::setMix (float m)
{
    mix.ramp.setTarget (m);
    rampsIdle = rampsIdle && ! mix.ramp.isRamping();
}

//==============================================================================
void ReverbEngine::setType (int newType) noexcept
{
    type = newType < 0 ? 0 : (newType > 2 ? 2 : newType);
    const auto& p = typePresets[type];
    const Float4 sr (sampleRate);

    for (int g = 0; g < maxErGroups; ++g)
    {
        const bool used = g < p.numErGroups;
        erTaps[g] = erLineL.makeTap (used ? lanesOf (p.erDelay[g]) * sr : Float4 (0.0f));
        erGainsR[g] = used ? lanesOf (p.erGain[g]) : Float4 (0.0f);
        erGainsMono[g] = erGainsR[g] * dbToGain (1.0f);
    }
    updateLeftErGains();

    inputDiffuser.setDelay (lanesOf (p.inputDiffuserDelay) * sr);
    inputDiffuser.setGains (lanesOf (p.inputDiffuserGain));
    outputDiffuser.setDelay (outputDiffuserDelays * sr);
    outputDiffuser.setGains (outputDiffuserGains);

    for (int i = 0; i < maxCombs; ++i)
    {
        const Float4 d = i < p.numCombs ? lanesOf (p.combDelay[i]) : Float4 (0.0f);
        combsL[i].setDelay (d * sr);
        combsR[i].setDelay ((d + rightCombOffsetSeconds) * sr);
    }
    combOutputGain = Float4 (p.combGain, -p.combGain, p.combGain, -p.combGain);
    modulatedA.setDelay (lanesOf (p.modulatedDelay) * sr);
    modulatedB.setDelay (lanesOf (p.modulatedDelay) * sr);

    updateFeedback();

    // A new type starts from an empty tank.
    preDelayLine.clear();
    erLineL.clear();
    erLineR.clear();
    inputDiffuser.clear();
    inputDiffuser.resetState();
    outputDiffuser.clear();
    outputDiffuser.resetState();
    for (int i = 0; i < maxCombs; ++i)
    {
        combsL[i].clear();
        combsL[i].resetState();
        combsR[i].clear();
        combsR[i].resetState();
    }
    modulatedA.clear();
    modulatedA.resetState();
    modulatedB.clear();
    modulatedB.resetState();
    preEq.filter.reset();
    postEq.filter.reset();
}

void ReverbEngine::updateLeftErGains() noexcept
{
    const float s = spread.value;
    for (int g = 0; g < maxErGroups; ++g)
    {
        float gains[4];
        for (int lane = 0; lane < 4; ++lane)
            gains[lane] = erGainsR[g][lane] * dbToGain ((1.0f - s) + s * leftTapOffsetDb (4 * g + lane));
        erGainsL[g] = lanesOf (gains);
    }
}

void ReverbEngine::updateFeedback() noexcept
{
    const float d = decay.value;
    for (int i = 0; i < maxCombs; ++i)
    {
        combsL[i].setDecay (d, sampleRate);
        combsR[i].setDecay (d, sampleRate);
    }
    modulatedA.setDecay (d, sampleRate);
    modulatedB.setDecay (d, sampleRate);
}

void ReverbEngine::updateDamping() noexcept
{
    for (int i = 0; i < maxCombs; ++i)
    {
        combsL[i].setDamping (damping.value, sampleRate);
        combsR[i].setDamping (damping.value, sampleRate);
    }
    modulatedA.setDamping (damping.value, sampleRate);
    modulatedB.setDamping (damping.value, sampleRate);
}

void ReverbEngine::updateModulationRate() noexcept
{
    modulatedA.setModulationRate (Float4 (modRate.value) + modRateOffsetA, sampleRate);
    modulatedB.setModulationRate (Float4 (modRate.value) + modRateOffsetB, sampleRate);
}

void ReverbEngine::updateModulationDepth() noexcept
{
    const float depth = modDepth.value * sampleRate * 0.015f;
    modulatedA.setModulationDepth (Float4 (depth) + modDepthOffsetA);
    modulatedB.setModulationDepth (Float4 (depth) + modDepthOffsetB);
}

void ReverbEngine::advanceRamps() noexcept
{
    if (spread.advance())
        updateLeftErGains();
    erLrMix.advance();
    diffusion.advance();
    if (decay.advance())
        updateFeedback();
    if (damping.advance())
        updateDamping();
    if (modRate.advance())
        updateModulationRate();
    if (modDepth.advance())
        updateModulationDepth();
    preEq.advance (sampleRate);
    postEq.advance (sampleRate);
    mix.advance();
    updateMixGains();

    rampsIdle = spread.idle() && erLrMix.idle() && diffusion.idle() && decay.idle() && damping.idle() && modRate.idle()
             && modDepth.idle() && preEq.idle() && postEq.idle() && mix.idle();
}

void ReverbEngine::updateMixGains() noexcept
{
    if (mix.value == mixForGains)
        return;
    mixForGains = mix.value;
    const double u = 2.0 * (double) mix.value - 1.0;
    wetGain = (float) std::fmin (1.0, std::sqrt (std::fmax (0.0, (u + 1.0) / 2.0)));
    dryGain = (float) std::fmin (1.0, std::sqrt (std::fmax (0.0, (1.0 - u) / 2.0)));
}

void ReverbEngine::applyPendingChanges() noexcept
{
    if (pendingType != type)
        setType (pendingType);

    if (preDelay.ramp.isRamping() && crossfadeCounter <= 0)
    {
        preDelay.ramp.snap();
        preDelay.value = preDelay.ramp.getTarget();
        activeTap ^= 1;
        const float d = preDelay.value / 1000.0f * sampleRate;
        tapDelay[activeTap] = Float4 (d);
        tapGain[activeTap] = Float4 (0.0f);
        passThrough = (d == 0.0f);
        crossfadeCounter = preDelayCrossfade;
    }
}

float ReverbEngine::preDelayProcess (float x) noexcept
{
    bool crossfading = false;
    if (crossfadeCounter > 0)
    {
        --crossfadeCounter;
        const float n = (float) crossfadeCounter / (float) preDelayCrossfade;
        tapGain[activeTap ^ 1] = Float4 (n);
        tapGain[activeTap] = Float4 (1.0f - n);
        crossfading = true;
    }

    float out;
    if (crossfading || ! passThrough)
    {
        preDelayLine.setDelay (tapDelay[0]);
        const Float4 a = preDelayLine.read() * tapGain[0];
        preDelayLine.setDelay (tapDelay[1]);
        const Float4 b = preDelayLine.read() * tapGain[1];
        out = lanes::first (a + b);
    }
    else
    {
        out = x * lanes::first (tapGain[0] + tapGain[1]);
    }
    preDelayLine.write (Float4 (x));
    return out;
}

//==============================================================================
void ReverbEngine::process (float* const* channels, int numChannels, int numSamples) noexcept
{
    if (sampleRate <= 0.0f || numChannels <= 0 || numSamples <= 0 || channels == nullptr)
        return;

    applyPendingChanges();

    // The interleaved input buffer bounds one pass; longer blocks go in pieces.
    const int piece = inputBufferFrames;
    for (int start = 0; start < numSamples; start += piece)
    {
        const int n = numSamples - start < piece ? numSamples - start : piece;
        if (numChannels >= 2)
            processStereo (channels[0] + start, channels[1] + start, n);
        else
            processMono (channels[0] + start, n);
    }
}

void ReverbEngine::processStereo (float* left, float* right, int numSamples) noexcept
{
    Float4* frames = inputFrames.data();
    for (int n = 0; n < numSamples; ++n)
        frames[n] = Float4 (left[n], left[n], right[n], right[n]);

    const Float4 evenLanes = Float4 (1.0f, 0.0f, 1.0f, 0.0f) != Float4 (0.0f);
    const int groups = typePresets[type].numErGroups;
    const int combs = typePresets[type].numCombs;

    for (int n = 0; n < numSamples; ++n)
    {
        // 1. Ramps.
        if (! rampsIdle)
            advanceRamps();
        const float X = erLrMix.value, Y = diffusion.value;

        const Float4 dry = frames[n];

        // 2. Pre EQ on { L, L, R, R }.
        const Float4 eq = preEq.process (dry);

        // 3. Early reflections.
        Float4 accL (0.0f), accR (0.0f);
        for (int g = 0; g < groups; ++g)
        {
            accL = accL + erLineL.readTap (erTaps[g]) * erGainsL[g];
            accR = accR + erLineR.readTap (erTaps[g]) * erGainsR[g];
        }
        erLineL.write (lanes::broadcast<0> (eq));
        erLineR.write (lanes::broadcast<2> (eq));
        const Float4 er = lanes::shuffle2<0, 0, 0, 0> (lanes::sumAll (accL), lanes::sumAll (accR)); // { ERL, ERL, ERR, ERR }

        // 4. Input diffuser: two chains of two stages.
        const Float4 prevIn = inputDiffuser.getPrevious();
        const Float4 diffused = inputDiffuser.process (oddFromFirst (er, lanes::shuffle<1, 1, 3, 3> (prevIn)));

        // 5. Late inputs (lanes 0 and 2).
        const Float4 late = (1.0f - Y) * eq + Y * diffused;
        const Float4 inL = lanes::broadcast<0> (late), inR = lanes::broadcast<2> (late);

        // 6.-7. Combs and modulated lines.
        Float4 sumL (0.0f), sumR (0.0f);
        for (int i = 0; i < combs; ++i)
        {
            sumL = sumL + combsL[i].process (inL) * combOutputGain;
            sumR = sumR + combsR[i].process (inR) * combOutputGain;
        }
        sumL = sumL + modulatedA.process (inL) * combOutputGain;
        sumR = sumR + modulatedB.process (inR) * combOutputGain;
        const Float4 lateLR = lanes::shuffle2<0, 0, 0, 0> (lanes::sumAll (sumL), lanes::sumAll (sumR));

        // 8. Output diffuser.
        const Float4 prevOut = outputDiffuser.getPrevious();
        const Float4 d = outputDiffuser.process (oddFromFirst (lateLR, lanes::shuffle<1, 1, 3, 3> (prevOut)));

        // 9. Post EQ on { dL, dL, dR, dR }.
        const Float4 post = postEq.process (lanes::shuffle<0, 0, 2, 2> (d));

        // 10.-11. Early/late balance and width (lanes 0 and 2).
        const Float4 wet = X * post + (1.0f - X) * 0.707f * er;
        const Float4 wetSum = wet + lanes::shuffle<2, 2, 0, 0> (wet);
        const Float4 wide = spread.value * wet + (1.0f - spread.value) * 0.707f * wetSum;

        // 12. Equal-power mix.
        const Float4 out = Float4 (dryGain) * dry + Float4 (wetGain) * wide;
        alignas (16) float o[4];
        select (evenLanes, out, Float4 (0.0f)).store (o);
        left[n] = o[0];
        right[n] = o[2];
    }
}

void ReverbEngine::processMono (float* samples, int numSamples) noexcept
{
    Float4* frames = inputFrames.data();
    for (int n = 0; n < numSamples; ++n)
        frames[n] = Float4 (samples[n]);

    const int groups = typePresets[type].numErGroups;
    const int combs = typePresets[type].numCombs;

    for (int n = 0; n < numSamples; ++n)
    {
        if (! rampsIdle)
            advanceRamps(); // the mono path does not use spread
        const float X = erLrMix.value, Y = diffusion.value;

        const float dry = lanes::first (frames[n]);

        const float delayed = preDelayProcess (dry);
        const Float4 eq = preEq.process (Float4 (delayed));

        Float4 acc (0.0f);
        for (int g = 0; g < groups; ++g)
            acc = acc + erLineL.readTap (erTaps[g]) * erGainsMono[g];
        erLineL.write (lanes::broadcast<0> (eq));
        const Float4 er = lanes::sumAll (acc);

        // One chain of four stages, fed at lane 3.
        const Float4 prevIn = inputDiffuser.getPrevious();
        const Float4 diffused = inputDiffuser.process (lastFromFirst (er, lanes::shuffle<1, 2, 3, 3> (prevIn)));

        const Float4 in = lanes::broadcast<0> ((1.0f - Y) * eq + Y * diffused);
        Float4 sum (0.0f);
        for (int i = 0; i < combs; ++i)
            sum = sum + combsL[i].process (in) * combOutputGain;
        sum = sum + modulatedA.process (in) * combOutputGain;
        const Float4 late = lanes::sumAll (sum);

        const Float4 prevOut = outputDiffuser.getPrevious();
        const Float4 d = outputDiffuser.process (lastFromFirst (late, lanes::shuffle<1, 2, 3, 3> (prevOut)));
        const Float4 post = postEq.process (lanes::broadcast<0> (d));

        const float m = mix.value;
        const float wet = lanes::first (X * post + (1.0f - X) * er);
        samples[n] = (1.0f - m) * dry + m * wet;
    }
}

} // namespace corvane
