#pragma once

#include <array>
#include <cstddef>

namespace zd8sim
{

/** Follows the instrument's controller-addressed parameter changes: on each MIDI
    channel, control changes 110..114 set the address bytes A1..A5, 118 the high seven
    bits of the value and 119 the low seven bits, which completes the change. The value
    travels offset by 8192 as a 14-bit number. Addresses stay until overwritten, as the
    instrument keeps them; a 119 without a 118 before it completes nothing.

    Not thread-safe: one input thread feeds it. */
class AddressedChangeDecoder
{
public:
    static constexpr int firstAddressController = 110; // A1; A2..A5 follow
    static constexpr int addressLength = 5;
    static constexpr int valueMsbController = 118;
    static constexpr int valueLsbController = 119;
    static constexpr int valueOffset = 8192;

    /** One complete change. */
    struct Change
    {
        int midiChannel = 0;               // 1..16
        std::array<int, 5> address {};     // A1..A5
        int value = 0;                     // signed, (msb * 128 + lsb) - 8192
    };

    /** Whether the controller belongs to the addressed sequence. */
    static bool isSequenceController (int controller) noexcept;

    /** Feeds one control change (channel 1..16, controller and value 0..127); returns
        true and fills completed when it completes a change. Anything out of range is
        ignored. */
    bool addController (int midiChannel, int controller, int value, Change& completed);

    void reset();

private:
    struct ChannelState
    {
        std::array<int, 5> address {};
        int valueMsb = 0;
        bool hasMsb = false;
    };

    std::array<ChannelState, 16> channels {};
};

} // namespace zd8sim
