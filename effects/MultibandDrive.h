#pragma once

namespace corvane
{

/** Sixteen-band drive. */
class MultibandDrive
{
public:
    void prepare (float sampleRate);
    /** Once per block: the Drive Amount (0 to 1); the settings ramp over blockLength samples. */
    void setAmount (float amount, int blockLength);
    /** Called for every sample and, within a sample, for every channel in order (0, then 1). */
    float process (float sample, int channel) noexcept;
};

} // namespace corvane
