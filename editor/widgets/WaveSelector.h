#pragma once

#include <array>

#include "OVImageButton.h"

namespace corvane
{

/** Four picture buttons in a 2 x 2 grid, one of which is selected; the value is the
    selected index / 3 (0, 1/3, 2/3, 1). */
class WaveSelector : public OVComponent
{
public:
    static constexpr int numButtons = 4;

    WaveSelector();

    using OVComponent::setValue;
    void setValue (float v) override;

    void setButtonImages (int index, const juce::Image& normal, const juce::Image& active);
    OVImageButton& getButton (int index) { return buttons[(size_t) index]; }

    /** Index of the selected position: round(value x 3). */
    int getSelectedIndex() const;

    void resized() override;

    std::function<void (int)> onSelect;

private:
    void select (int index);

    std::array<OVImageButton, numButtons> buttons;
};

} // namespace corvane
