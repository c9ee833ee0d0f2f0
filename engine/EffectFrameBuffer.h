#pragma once

#include "dsp/Float4.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace corvane
{

/** One Float4 frame per sample of a block, 16-byte aligned: lane 0 left (or
    mono), lane 1 right, lanes 2 and 3 scratch. Grows, never shrinks. */
class EffectFrameBuffer
{
public:
    EffectFrameBuffer() = default;
    ~EffectFrameBuffer() { std::free (frames); }

    EffectFrameBuffer (const EffectFrameBuffer&) = delete;
    EffectFrameBuffer& operator= (const EffectFrameBuffer&) = delete;

    /** Reallocates (zeroed) only when more frames are needed than it holds. */
    void ensureCapacity (int numFrames)
    {
        if (numFrames <= capacity)
            return;

        void* p = std::aligned_alloc (alignof (Float4), sizeof (Float4) * (size_t) numFrames);
        if (p == nullptr)
            throw std::bad_alloc();

        std::memset (p, 0, sizeof (Float4) * (size_t) numFrames);
        std::free (frames);
        frames = static_cast<Float4*> (p);
        capacity = numFrames;
    }

    Float4* data() noexcept { return frames; }
    int getCapacity() const noexcept { return capacity; }

private:
    Float4* frames = nullptr;
    int capacity = 0;
};

} // namespace corvane
