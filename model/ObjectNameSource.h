#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Where the value texts of object references find object names: the instrument
    image's stores.

    objectName is called from any thread that formats a value (the host's parameter
    threads, the message thread, the MIDI input thread) and possibly from several at
    once, so an implementation must be safe to call concurrently with itself and with
    whatever writes its stores. */
class ObjectNameSource
{
public:
    virtual ~ObjectNameSource() = default;

    /** The stored name of object id in the store of typeCode (an object type code such
        as 138 for programs), or empty text when the store has no such object. */
    virtual juce::String objectName (int typeCode, int id) const = 0;
};

} // namespace zd8
