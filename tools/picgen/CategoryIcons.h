#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** Simple vector icons for the program categories, drawn into any box of about 2:1
    (the category sheet's cells and the library preview's small icons use the same
    drawings). */
class CategoryIcons
{
public:
    enum Icon
    {
        noCategory, layers,
        grandPiano, grandSide, tripleKeys, uprightPiano,
        stageEPiano, tines, tonebars, reeds,
        clav, harpsichord,
        drawbars, comboOrgan, organOnStand, pipes,
        sawWave, pulseWave, envelope, cloud,
        violin, bows, trumpet, choir, hybrid,
        acousticGuitar, electricGuitar, drumKit, conga, sparkle
    };

    static void draw (juce::Graphics&, Icon, juce::Rectangle<float> box);
};

} // namespace zd8gen
