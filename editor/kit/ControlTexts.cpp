#include "editor/kit/ControlTexts.h"

namespace zd8
{

juce::String ControlTexts::onOff (bool on)
{
    return on ? "ON" : "OFF";
}

juce::String ControlTexts::routing (int value)
{
    switch (value)
    {
        case 0: return "PRG";
        case 1: return "POST";
        case 2: return "PRE";
        default: return {};
    }
}

} // namespace zd8
