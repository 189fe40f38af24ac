#include "sim/AddressedChangeDecoder.h"

namespace zd8sim
{

bool AddressedChangeDecoder::isSequenceController (int controller) noexcept
{
    return (controller >= firstAddressController && controller < firstAddressController + addressLength)
        || controller == valueMsbController || controller == valueLsbController;
}

bool AddressedChangeDecoder::addController (int midiChannel, int controller, int value, Change& completed)
{
    if (midiChannel < 1 || midiChannel > (int) channels.size() || value < 0 || value > 127
        || ! isSequenceController (controller))
        return false;

    auto& ch = channels[(std::size_t) (midiChannel - 1)];

    if (controller == valueMsbController)
    {
        ch.valueMsb = value;
        ch.hasMsb = true;
        return false;
    }

    if (controller == valueLsbController)
    {
        if (! ch.hasMsb)
            return false;

        ch.hasMsb = false;
        completed.midiChannel = midiChannel;
        completed.address = ch.address;
        completed.value = ch.valueMsb * 128 + value - valueOffset;
        return true;
    }

    ch.address[(std::size_t) (controller - firstAddressController)] = value;
    return false;
}

void AddressedChangeDecoder::reset()
{
    channels = {};
}

} // namespace zd8sim
