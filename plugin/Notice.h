#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** One thing the engine tells the window happened, as a value; and the one place that
    packs it into the words the notice queues carry and reads it back from them.

    Two kinds of word travel, each on its own queue:

    - Notice words (32 bits, ControllerState::drainNotices): channel events and link events.
          note on / note off / controller / program change:
              status << 24 | channel << 16 | number << 8 | value
              (status 0x90, 0x80, 0xB0, 0xC0; a program change carries the program in
              the low byte and 0 in the number byte)
          pitch bend:  0xE0 << 24 | channel << 16 | bend        (bend 0..16383 in 16 bits)
          link events: a code in the top byte, the rest 0:
              0x03 identity reply (on line), 0x04 identity request (off line until the
              reply comes), 0x0B an Arrangement was recalled.
    - Slot words (64 bits, ControllerState::drainSlotNotices): a slot changed.
          1 << 48 | slot << 32 | (value & 0xFFFF)

    Reading a word back (the window's side):
        const auto n = Notice::fromWord (word);       // a notice word
        const auto s = Notice::fromSlotWord (word);   // a slot word
        switch (n.kind) { case Notice::Kind::noteOn: ... n.channel, n.number, n.value }
    A word of neither layout reads as Kind::unknown (and is ignored).

    Fields by kind:
        noteOn / noteOff   channel, number = note,        value = velocity (0 for note off)
        controller         channel, number = controller,  value = controller value
        programChange      channel,                       value = program
        pitchBend          channel,                       value = bend 0..16383 (8192 centre)
        slotChanged                 number = slot,         value = the slot's new value
        link events        no fields

    The channel is the byte as the engine sent it: 0..15, except that a controller (other
    than controller 1, the modulation wheel) and a program change the host sent carry
    the channel as 1..16. Any thread may build, encode or decode a notice. */
class Notice
{
public:
    enum class Kind
    {
        unknown,
        noteOn,
        noteOff,
        controller,
        programChange,
        pitchBend,
        identityReply,
        identityRequest,
        arrangementRecalled,
        slotChanged
    };

    Kind kind = Kind::unknown;
    int channel = 0;
    int number = 0;
    int value = 0;

    //==============================================================================
    static constexpr Notice noteOn (int channel, int note, int velocity) noexcept { return { Kind::noteOn, channel, note, velocity }; }
    static constexpr Notice noteOff (int channel, int note) noexcept { return { Kind::noteOff, channel, note, 0 }; }
    static constexpr Notice controller (int channel, int controller, int value) noexcept { return { Kind::controller, channel, controller, value }; }
    static constexpr Notice programChange (int channel, int program) noexcept { return { Kind::programChange, channel, 0, program }; }
    static constexpr Notice pitchBend (int channel, int bend) noexcept { return { Kind::pitchBend, channel, 0, bend }; }
    static constexpr Notice identityReply() noexcept { return { Kind::identityReply, 0, 0, 0 }; }
    static constexpr Notice identityRequest() noexcept { return { Kind::identityRequest, 0, 0, 0 }; }
    static constexpr Notice arrangementRecalled() noexcept { return { Kind::arrangementRecalled, 0, 0, 0 }; }
    static constexpr Notice slotChanged (int slot, int value) noexcept { return { Kind::slotChanged, 0, slot, value }; }

    /** True for the kinds that travel as slot words (slotChanged). */
    constexpr bool isSlotNotice() const noexcept { return kind == Kind::slotChanged; }

    //==============================================================================
    /** The notice word; 0 for a slot notice or an unknown one. Channel, number and
        value are cut to a byte each (the bend to 16 bits). */
    constexpr juce::uint32 toWord() const noexcept
    {
        switch (kind)
        {
            case Kind::noteOn: return channelWord (noteOnStatus, number, value);
            case Kind::noteOff: return channelWord (noteOffStatus, number, value);
            case Kind::controller: return channelWord (controllerStatus, number, value);
            case Kind::programChange: return channelWord (programChangeStatus, number, value);
            case Kind::pitchBend:
                return (juce::uint32) pitchBendStatus << 24 | (juce::uint32) (channel & 0xFF) << 16 | (juce::uint32) (value & 0xFFFF);
            case Kind::identityReply: return (juce::uint32) identityReplyCode << 24;
            case Kind::identityRequest: return (juce::uint32) identityRequestCode << 24;
            case Kind::arrangementRecalled: return (juce::uint32) arrangementRecalledCode << 24;
            case Kind::slotChanged:
            case Kind::unknown:
            default: return 0;
        }
    }

    /** Reads a notice word (the top byte says the kind; see the class comment). */
    static constexpr Notice fromWord (juce::uint32 word) noexcept
    {
        const int code = (int) (word >> 24);
        const int channel = (int) ((word >> 16) & 0xFF);
        const int number = (int) ((word >> 8) & 0xFF);
        const int low = (int) (word & 0xFF);

        switch (code)
        {
            case noteOnStatus: return noteOn (channel, number, low);
            case noteOffStatus: return { Kind::noteOff, channel, number, low };
            case controllerStatus: return controller (channel, number, low);
            case programChangeStatus: return { Kind::programChange, channel, number, low };
            case pitchBendStatus: return pitchBend (channel, (int) (word & 0xFFFF));
            case identityReplyCode: return identityReply();
            case identityRequestCode: return identityRequest();
            case arrangementRecalledCode: return arrangementRecalled();
            default: return {};
        }
    }

    /** The slot word; 0 for any other kind. The slot is cut to 16 bits, the value to
        16 bits two's complement. */
    constexpr juce::uint64 toSlotWord() const noexcept
    {
        if (kind != Kind::slotChanged)
            return 0;
        return (juce::uint64) slotChangedCode << 48 | (juce::uint64) (number & 0xFFFF) << 32 | (juce::uint64) (value & 0xFFFF);
    }

    /** Reads a slot word. Values from firstNegativeSlotValue up are negative values cut
        to 16 bits; 32768 and 32769 read as themselves, as the window has always read
        them (every slot's range lies far inside -32766..32769). */
    static constexpr Notice fromSlotWord (juce::uint64 word) noexcept
    {
        if ((word >> 48) != (juce::uint64) slotChangedCode)
            return {};
        const int raw = (int) (word & 0xFFFF);
        return slotChanged ((int) ((word >> 32) & 0xFFFF), raw >= firstNegativeSlotValue ? raw - 0x10000 : raw);
    }

    static constexpr int firstNegativeSlotValue = 32770;

    constexpr bool operator== (const Notice& other) const noexcept
    {
        return kind == other.kind && channel == other.channel && number == other.number && value == other.value;
    }
    constexpr bool operator!= (const Notice& other) const noexcept { return ! (*this == other); }

private:
    // Top bytes of notice words: channel events use the MIDI status of the event
    // (channel bits clear), link events small codes below any status.
    static constexpr int noteOffStatus = 0x80;
    static constexpr int noteOnStatus = 0x90;
    static constexpr int controllerStatus = 0xB0;
    static constexpr int programChangeStatus = 0xC0;
    static constexpr int pitchBendStatus = 0xE0;
    static constexpr int identityReplyCode = 0x03;
    static constexpr int identityRequestCode = 0x04;
    static constexpr int arrangementRecalledCode = 0x0B;
    // Bits 48..63 of a slot word.
    static constexpr int slotChangedCode = 1;

    constexpr juce::uint32 channelWord (int status, int d1, int d2) const noexcept
    {
        return (juce::uint32) status << 24 | (juce::uint32) (channel & 0xFF) << 16
               | (juce::uint32) (d1 & 0xFF) << 8 | (juce::uint32) (d2 & 0xFF);
    }
};

} // namespace zd8
