// The dispatch of incoming instrument messages on arbitrary bytes, as they come and
// framed as an instrument message (so that the fuzzer reaches the command table
// quickly): never reads outside the message, and only a taken message carries data.
#include "link/InstrumentMessage.h"
#include "link/SysexProtocol.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using zd8::InstrumentMessage;
using zd8::SysexProtocol;

namespace
{
    void check (const juce::uint8* message, size_t size)
    {
        const auto m = InstrumentMessage::parse (message, size);
        using Route = InstrumentMessage::Route;

        const bool carriesData = m.route != Route::ignore && m.route != Route::identityReply && m.route != Route::transfer;
        if (! carriesData && (m.data.getSize() != 0 || m.header.getSize() != 0))
            abort();
        if (m.data.getSize() > size)
            abort();
        if (m.route == Route::transfer && m.command != SysexProtocol::cmdTransfer)
            abort();
        if (m.route == Route::multiHeader && m.header.getSize() != 20)
            abort();
        if (m.route == Route::masterData && (m.masterBlock < 1 || m.masterBlock > 4))
            abort();
        if (carriesData && (size < 14 || m.part == 32))
            abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // Exact-size heap copies, so that a read one byte too far is caught.
    std::vector<juce::uint8> raw (data, data + size);
    check (raw.data(), raw.size());

    std::vector<juce::uint8> framed = { 0xF0, 0x07, 0x46, 0x01, 0x00 };
    framed.insert (framed.end(), data, data + size);
    framed.push_back (0xF7);
    framed.shrink_to_fit();
    check (framed.data(), framed.size());

    return 0;
}
