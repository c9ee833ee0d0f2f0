#pragma once

#include <array>

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvane
{

/** The output level meter: a column of diodes lit from the bottom for a level in dB. */
class OVMeters : public juce::Component
{
public:
    enum DiodeImage { normal = 0, yellow, red, off };

    OVMeters();

    void setDiodeImages (const juce::Image& normalImage, const juce::Image& yellowImage,
                         const juce::Image& redImage, const juce::Image& offImage);
    void setDiodeSize (float size) { diodeSize = size; repaint(); }
    void setNumDiodes (int n) { numDiodes = n; repaint(); }
    void setLevelDb (float db) noexcept { levelDb = db; }

    float getLevelDb() const noexcept { return levelDb; }
    int getNumDiodes() const noexcept { return numDiodes; }

    /** Threshold of diode i (0 at the bottom): 105 sqrt(i / n) - 100 dB. */
    float getThresholdDb (int diode) const;
    bool isDiodeLit (int diode) const;
    /** Which picture diode i shows at the current level. */
    DiodeImage getDiodeImageFor (int diode) const;

    void paint (juce::Graphics&) override;

private:
    std::array<juce::Image, 4> diodeImages;
    float diodeSize = 3.0f;
    int numDiodes = 18;
    float levelDb = -100.0f;
};

} // namespace corvane
