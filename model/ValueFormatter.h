#pragma once

#include "model/ObjectNameSource.h"

namespace zd8
{

/** Parameter descriptions: turns a parameter's raw value into the text the editor, the
    parameter table and the host show, chosen by the parameter's description code.

    Holds no state of its own; formatValue is a pure function of code and value except
    for object references (codes from 2001 up), which ask the name source. It is called
    from the host's threads, the MIDI input thread and the message thread at once, so
    the name source given must be safe to call from any thread (see ObjectNameSource).
    The source must outlive this object. */
class ValueFormatter
{
public:
    /** names may be nullptr: object references then read every name as empty, as for
        objects the stores do not hold. */
    explicit ValueFormatter (const ObjectNameSource* names = nullptr) noexcept : nameSource (names) {}

    /** The text of value for descriptionCode. Every code and value is valid: codes
        without a format give the number or empty text. Any thread. */
    juce::String formatValue (int descriptionCode, int value) const;

    /** Note name and octave without a blank: 60 "C4", 0 "C-1"; a negative value gives
        the octave number alone. */
    static juce::String noteName (int value);

    const ObjectNameSource* getNameSource() const noexcept { return nameSource; }

private:
    const ObjectNameSource* const nameSource;
};

} // namespace zd8
