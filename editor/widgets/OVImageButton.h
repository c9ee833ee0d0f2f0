#pragma once

#include "OVButton.h"

namespace corvane
{

/** A button drawn from two double-resolution pictures, one per toggle state. */
class OVImageButton : public OVButton
{
public:
    OVImageButton() = default;

    void setImages (const juce::Image& normal, const juce::Image& active)
    {
        normalImage = normal;
        activeImage = active;
        repaint();
    }

    const juce::Image& getNormalImage() const noexcept { return normalImage; }
    const juce::Image& getActiveImage() const noexcept { return activeImage; }

    void paint (juce::Graphics&) override;

protected:
    juce::Image normalImage, activeImage;
};

} // namespace corvane
