#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** The instrument's system-exclusive formats as pure functions: bytes in, values out,
    values in, bytes out. No I/O, no state. Offsets named here are offsets in the
    complete message, 0xF0 at offset 0; every message built here includes its 0xF0
    and its trailing 0xF7. */
class SysexProtocol
{
public:
    static constexpr juce::uint8 sysexStart = 0xF0;
    static constexpr juce::uint8 sysexEnd = 0xF7;
    static constexpr juce::uint8 manufacturer = 0x07;
    static constexpr juce::uint8 family = 0x46;
    static constexpr juce::uint8 member = 0x01;
    static constexpr int headerSize = 5;

    // Commands (offset 5).
    static constexpr juce::uint8 cmdProgramData = 0x02;
    static constexpr juce::uint8 cmdStatus03 = 0x03;
    static constexpr juce::uint8 cmdMasterData = 0x04;
    static constexpr juce::uint8 cmd05 = 0x05;
    static constexpr juce::uint8 cmdMultiData = 0x0B;
    static constexpr juce::uint8 cmd0D = 0x0D;
    static constexpr juce::uint8 cmdMultiSelect = 0x11;
    static constexpr juce::uint8 cmdChannelProgramSelect = 0x20;
    static constexpr juce::uint8 cmdChannelSelect = 0x40;
    static constexpr juce::uint8 cmdTransfer = 0x5A;
    static constexpr juce::uint8 cmd5B = 0x5B;

    // Transfer family sub-commands (offset 6).
    static constexpr juce::uint8 subChunkRequest = 0x00;
    static constexpr juce::uint8 subChunkData = 0x01;
    static constexpr juce::uint8 subAck = 0x02;
    static constexpr juce::uint8 subNack = 0x03;
    static constexpr juce::uint8 subInfo = 0x05;
    static constexpr juce::uint8 subInfoRequest = 0x20;

    static constexpr int maxChunkLength = 2048;
    static constexpr int nameLength = 16;
    static constexpr int infoNameLength = 20;   // name characters in an object-information reply
    static constexpr int max14Bit = 16383;      // object numbers, IDs, controller-addressed values
    static constexpr int max21Bit = 2097151;    // transfer offsets, lengths and sizes
    static constexpr int nameMessageSize = 29;

    // Name characters that are sent; anything else goes as a blank. Codes from 128 on
    // (0x80..0x9F included) have bit 7 set: inside system-exclusive data such a byte
    // is a status byte that ends the message on the cable.
    static constexpr int firstNameCode = 20;
    static constexpr int lastNameCode = 127;
    static constexpr juce::uint8 blank = 32;

    // MIDI universal identity request and reply.
    static constexpr juce::uint8 universalNonRealtime = 0x7E;
    static constexpr juce::uint8 allDevices = 0x7F;
    static constexpr juce::uint8 generalInformation = 0x06;
    static constexpr juce::uint8 identityRequestSub = 0x01;

    // Controllers of a controller-addressed parameter change, in sending order.
    static constexpr int addressControllers[5] = { 110, 111, 112, 113, 114 };
    static constexpr int valueMsbController = 118;
    static constexpr int valueLsbController = 119;
    static constexpr int addressedValueOffset = 8192;  // signed values travel offset by this

    /** Out-of-range arguments of the builders below are clamped (channels to 0..15,
        object numbers and IDs to 0..16383, transfer offsets to 21 bits, single data
        bytes to 0..127), so no data byte of a built message ever exceeds 0x7F. */

    //==============================================================================
    /** header (F0 07 46 01 device) + body + F7. */
    static juce::MemoryBlock frameBody (const void* body, size_t size, juce::uint8 device = 0);
    static juce::MemoryBlock frameBody (std::initializer_list<juce::uint8> body, juce::uint8 device = 0);

    /** For a message built at full length with four placeholder bytes in front and F7
        at its end: a block one byte longer whose first five bytes are the header and
        whose rest is the message from its offset 4 on. (A message shorter than four
        bytes yields the header alone.) */
    static juce::MemoryBlock frameFull (const juce::MemoryBlock& message, juce::uint8 device = 0);

    /** 7-bit packing, least significant bit first; the result ends with F7. Seven
        bytes become eight septets, a final group of r bytes r + 1 septets, no bytes
        no septets (the result is F7 alone). */
    static juce::MemoryBlock encode7 (const void* data, size_t size);
    /** Reverses encode7; a trailing F7 is dropped first and bit 7 of every other byte
        is ignored. n septets give n * 7 / 8 bytes (leftover bits are dropped). */
    static juce::MemoryBlock decode7 (const void* septets, size_t size);
    /** Number of septets (without the F7) that encode7 makes of size bytes. */
    static size_t packedSize (size_t size) noexcept;

    /** 16 bytes: padded with blanks, cut at 16, codes outside 20..127 sent as 32. */
    static juce::MemoryBlock nameField (const juce::String& name);
    /** A 20-character name of an object-information reply; bytes below 20 read as
        blanks, other bytes as the character of that code; fewer than 20 bytes are
        padded with blanks, more are cut. */
    static juce::String nameFromInfo (const juce::uint8* chars, size_t size);

    //==============================================================================
    static juce::MemoryBlock channelProgramSelect (int channel, int msb, int lsb, juce::uint8 device = 0);
    static juce::MemoryBlock multiSelect (int number, juce::uint8 device = 0);
    static juce::MemoryBlock channelSelect (int channel, juce::uint8 device = 0);
    /** Transfer requests; type and id go least significant 7-bit group first. */
    static juce::MemoryBlock objectInfoRequest (int type, int id, juce::uint8 device = 0);
    /** offset is clamped to 0..2^21-1 and length to 0..maxChunkLength (the instrument
        sends at most 2048 bytes per chunk). */
    static juce::MemoryBlock objectChunkRequest (int type, int id, int offset, int length, juce::uint8 device = 0);

    /** Program object-data message (command 0x02): part, block type, 0, mode, then data
        (the plain block: it is packed here) and F7. */
    static juce::MemoryBlock programDataMessage (int part, int blockType, int mode, const juce::MemoryBlock& data, juce::uint8 device = 0);

    /** Name message (29 bytes), command 0x02 (program) or 0x0B (multi). The instrument
        takes names only for object numbers above 0: for id < 1 the result is empty and
        must not be sent. */
    static juce::MemoryBlock objectNameMessage (int command, int id, int part, const juce::String& name, juce::uint8 device = 0);

    /** F0 7E 7F 06 01 F7. */
    static juce::MemoryBlock identityRequest();

    /** The seven control changes that address one parameter: 110..114 = A1..A5, then
        118 / 119 = (value + 8192) / 128 and % 128. midiChannel is 1..16. Appended to
        buffer at sample position 0, in order. value + 8192 is clamped to 0..16383,
        address bytes to 0..127 and the channel to 1..16. */
    static void addControllerAddressed (juce::MidiBuffer& buffer, int midiChannel, const int address[5], int value);

    /** Text of a Nack code; empty for codes without a text. */
    static juce::String nackText (int code);

    //==============================================================================
    /** Header bytes 2..3 are the instrument's (0x46, 0x01); nothing else is checked. */
    static bool isInstrumentMessage (const juce::uint8* message, size_t size);
    /** Offset 1 = 0x7E and offset 3 = 0x06, whatever else it holds. */
    static bool isIdentityReply (const juce::uint8* message, size_t size);

    /** Byte at offset, 0 when the message is shorter. */
    static int byteAt (const juce::uint8* message, size_t size, size_t offset) noexcept;
};

} // namespace zd8
