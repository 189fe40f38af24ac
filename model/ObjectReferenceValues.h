#pragma once

#include "model/ObjectNameSource.h"

namespace zd8
{

/** Value texts of the description codes from 2001 up: a value that names an object in
    one of the image's stores (a program, an FX chain, a multi, ...). */
class ObjectReferenceValues
{
public:
    static constexpr int firstCode = 2001;

    /** Object type codes of the stores the references point into. */
    static constexpr int intonationTableType = 103;
    static constexpr int songType = 112;
    static constexpr int keymapType = 133;
    static constexpr int programType = 138;
    static constexpr int multiType = 155;
    static constexpr int fxChainType = 156;
    static constexpr int shiftPatternType = 163;
    static constexpr int velocityPatternType = 164;
    static constexpr int arpeggiatorType = 168;

    /** v <= 0 gives "NONE"; otherwise the object's name, for most codes prefixed with
        the number and a blank ("12 Grand"). With no name source every name reads as
        empty, as for an absent object. Safe from any thread as far as names is. */
    static juce::String format (int code, int v, const ObjectNameSource* names);
};

} // namespace zd8
