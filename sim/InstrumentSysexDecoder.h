#pragma once

#include <cstddef>
#include <cstdint>

namespace zd8sim
{

/** Reads one complete system-exclusive message (F0 ... F7) the way the instrument
    does, and says what it asks for. Every instrument message starts with the five
    header bytes F0 07 46 01 00 and carries its command at offset 5; the universal
    identity request is F0 7E <device> 06 01 F7. Anything with a wrong header, a wrong
    length for its command, a data byte of 0x80 or above, or a value out of range
    decodes as rejected. Offsets here are offsets in the whole message, F0 at 0. */
class InstrumentSysexDecoder
{
public:
    // Instrument header.
    static constexpr std::uint8_t manufacturer = 0x07;
    static constexpr std::uint8_t family = 0x46;
    static constexpr std::uint8_t member = 0x01;
    static constexpr std::uint8_t deviceByte = 0x00;
    static constexpr std::size_t headerSize = 5;
    static constexpr std::size_t commandOffset = 5;

    // Commands at offset 5, and the whole length of each message with F0 and F7.
    static constexpr std::uint8_t channelProgramSelectCommand = 0x20; // channel, msb, lsb
    static constexpr std::size_t channelProgramSelectSize = 10;
    static constexpr std::uint8_t multiSelectCommand = 0x11;          // hi, lo
    static constexpr std::size_t multiSelectSize = 9;
    static constexpr std::uint8_t channelSelectCommand = 0x40;        // channel
    static constexpr std::size_t channelSelectSize = 8;

    // Universal non-real-time identity request: F0 7E <device> 06 01 F7.
    static constexpr std::uint8_t universalNonRealtime = 0x7E;
    static constexpr std::uint8_t generalInformation = 0x06;
    static constexpr std::uint8_t identityRequest = 0x01;
    static constexpr std::size_t identityRequestSize = 6;

    static constexpr int channelCount = 16;

    enum class Kind
    {
        rejected,              // not a well-formed message the instrument takes
        identityRequest,
        channelProgramSelect,  // channel 0..15, number = program
        multiSelect,           // number = multi
        channelSelect,         // channel 0..15
        otherCommand           // a well-formed instrument message with a command not followed yet
    };

    struct Decoded
    {
        Kind kind = Kind::rejected;
        int command = -1;   // offset 5 of an instrument message, -1 otherwise
        int channel = -1;
        int number = -1;
    };

    /** Pure: never reads outside data[0 .. size). */
    static Decoded decode (const std::uint8_t* data, std::size_t size);
};

} // namespace zd8sim
