#include "OVChangeView.h"

namespace corvane
{

OVChangeView::OVChangeView()
{
    setInterceptsMouseClicks (false, false);
    setAlpha (0.0f);
}

void OVChangeView::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds();
    g.fillAll (juce::Colour (0xFF26262B));
    g.setColour (juce::Colour (0xBFFFFFFF));
    g.drawRect (bounds.toFloat(), 1.0f);
    g.setFont (font);
    g.drawText (text, bounds, juce::Justification::centred, true);
}

} // namespace corvane
