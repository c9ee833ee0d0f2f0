#include "OVImageButton.h"

namespace corvane
{

void OVImageButton::paint (juce::Graphics& g)
{
    g.setOpacity (getDrawOpacity());

    const auto& image = toggleState ? activeImage : normalImage;
    if (! image.isValid())
        return;

    const float x = (float) getWidth() * 0.5f - (float) image.getWidth() * 0.25f;
    const float y = (float) getHeight() * 0.5f - (float) image.getHeight() * 0.25f;
    g.drawImageTransformed (image, juce::AffineTransform::scale (0.5f).translated (x, y));
}

} // namespace corvane
