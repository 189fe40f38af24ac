#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The numeric scales several description codes share: each turns an instrument's raw
    parameter value into the text the instrument's own display would show.

    Pure functions of the value, safe from any thread. Values outside a scale give the
    text each function names (usually empty); no value overflows or reads outside a
    table. */
class ValueScales
{
public:
    /** -123..123 to cents with " ct" (20 gives "22 ct"); others empty. */
    static juce::String cents (int v);

    /** Up to 127 to a rate with one decimal and " Key/s"
        (0 gives "1.0 Key/s"); above 127 empty. Negative values follow the first step. */
    static juce::String keysPerSecond (int v);

    /** Note name and octave without a blank, 60 "C4", 0 "C-1"; a negative value
        gives the octave number alone. */
    static juce::String noteName (int v);

    /** As noteName with a blank after the name: 60 gives "C 4". */
    static juce::String spacedNoteName (int v);

    /** 0 "OFF", anything else "ON". */
    static juce::String onOff (int v);

    /** 0 "PRG", 1 "POST", 2 "PRE", others empty. */
    static juce::String sendPoint (int v);

    /** Level in half decibels: -128 "OFF", -127..-96 one-decibel steps, others
        v / 2, one decimal and " dB" (-100 "-52.0 dB", -95 "-47.5 dB"). */
    static juce::String level (int v);

    /** 0..255 to " mS" (0..99 tenths written short); others empty. */
    static juce::String shortTime (int v);

    /** Up to 255 to " mS"; above 255 empty. */
    static juce::String longTime (int v);

    /** Semitone steps 0..127 to the nearest whole " Hz" (57 "440 Hz"); -20..-1 give
        8, 14 or 15 Hz; any other value "0 Hz". */
    static juce::String frequency (int v);

    /** Ratio with ":1"; 89 "INF"; above 89 and negative values empty. */
    static juce::String ratio (int v);

    /** Seconds without a unit: 0..151 ("0.010" .. "5.05"); others empty. */
    static juce::String seconds (int v);
};

} // namespace zd8
