// Transfer replies on arbitrary bytes, whole and as the transfer engine stores them
// (without the F0), and framed as a 0x5A reply so that the fuzzer reaches the
// sub-commands quickly: never reads outside the message, numbers stay in range.
#include "link/SysexProtocol.h"
#include "link/TransferReply.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using zd8::SysexProtocol;
using zd8::TransferReply;

namespace
{
    void check (const juce::uint8* message, size_t size, bool withoutStart)
    {
        const auto r = TransferReply::parse (message, size, withoutStart);

        for (int n : { r.type, r.id })
            if (n < 0 || n > SysexProtocol::max14Bit)
                abort();
        for (int n : { r.offset, r.length, r.totalSize })
            if (n < 0 || n > SysexProtocol::max21Bit)
                abort();
        if (r.kind == TransferReply::Kind::info && r.name.length() != SysexProtocol::infoNameLength)
            abort();
        if (r.kind != TransferReply::Kind::chunk && r.data.getSize() != 0)
            abort();
        if (r.data.getSize() > size)
            abort();
    }

    void checkBothForms (const std::vector<juce::uint8>& full)
    {
        check (full.data(), full.size(), false);
        if (! full.empty())
        {
            std::vector<juce::uint8> stored (full.begin() + 1, full.end());
            check (stored.data(), stored.size(), true);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    checkBothForms (std::vector<juce::uint8> (data, data + size));

    std::vector<juce::uint8> framed = { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A };
    framed.insert (framed.end(), data, data + size);
    framed.push_back (0xF7);
    framed.shrink_to_fit();
    checkBothForms (framed);

    return 0;
}
