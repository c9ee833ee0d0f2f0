#include "OVMeters.h"

#include <cmath>

namespace corvane
{

OVMeters::OVMeters()
{
    setInterceptsMouseClicks (false, false);
}

void OVMeters::setDiodeImages (const juce::Image& normalImage, const juce::Image& yellowImage,
                               const juce::Image& redImage, const juce::Image& offImage)
{
    diodeImages = { normalImage, yellowImage, redImage, offImage };
    repaint();
}

float OVMeters::getThresholdDb (int diode) const
{
    return 105.0f * std::sqrt ((float) diode / (float) numDiodes) - 100.0f;
}

bool OVMeters::isDiodeLit (int diode) const
{
    return levelDb - 2.0f > getThresholdDb (diode) && levelDb > -99.9f;
}

OVMeters::DiodeImage OVMeters::getDiodeImageFor (int diode) const
{
    if (! isDiodeLit (diode))
        return off;
    const float t = getThresholdDb (diode);
    return t > -3.0f ? red : t > -13.0f ? yellow : normal;
}

void OVMeters::paint (juce::Graphics& g)
{
    // One diode would make the spacing divide by zero; the editor always uses 18.
    if (numDiodes <= 1)
        return;

    const float step = ((float) getHeight() - diodeSize) / (float) (numDiodes - 1);
    for (int i = 0; i < numDiodes; ++i)
    {
        const auto& image = diodeImages[(size_t) getDiodeImageFor (i)];
        if (image.isValid())
            g.drawImage (image, { 0.0f, (float) getHeight() - (float) i * step - diodeSize, diodeSize, diodeSize },
                         juce::RectanglePlacement::stretchToFit);
    }
}

} // namespace corvane
