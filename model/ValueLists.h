#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The two long value lists several description codes share. Pure, any thread. */
class ValueLists
{
public:
    /** Name of a MIDI controller or of one of the instrument's extended controller
        functions (128..181): -1 "NONE"; an unnamed value below 128 (values below -1
        included) "MIDI " + number; 182 and above empty. */
    static juce::String controllerName (int v);

    /** Name of a modulation source: -1 and 0 "OFF"; an unnamed value up to 132 (values
        below -1 included) "MIDI " + number; 133..251 and above 255 empty. */
    static juce::String controlSourceName (int v);
};

} // namespace zd8
