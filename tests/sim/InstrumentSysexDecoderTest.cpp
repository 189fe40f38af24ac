#include "sim/InstrumentSysexDecoder.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using Bytes = std::vector<std::uint8_t>;
using zd8sim::InstrumentSysexDecoder;
using Kind = InstrumentSysexDecoder::Kind;

InstrumentSysexDecoder::Decoded decode (const Bytes& b) { return InstrumentSysexDecoder::decode (b.data(), b.size()); }

// Written out by hand from the message tables: the one byte form of each decoded value.
Bytes canonical (const InstrumentSysexDecoder::Decoded& d, std::uint8_t identityDevice)
{
    switch (d.kind)
    {
        case Kind::identityRequest:
            return { 0xF0, 0x7E, identityDevice, 0x06, 0x01, 0xF7 };
        case Kind::channelProgramSelect:
            return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, (std::uint8_t) d.channel,
                     (std::uint8_t) (d.number / 128), (std::uint8_t) (d.number % 128), 0xF7 };
        case Kind::multiSelect:
            return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, (std::uint8_t) (d.number / 128), (std::uint8_t) (d.number % 128), 0xF7 };
        case Kind::channelSelect:
            return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, (std::uint8_t) d.channel, 0xF7 };
        case Kind::otherCommand:
        case Kind::rejected:
            break;
    }
    return {};
}

TEST (InstrumentSysexDecoder, DecodesEachCommandItFollows)
{
    struct Case
    {
        Bytes bytes;
        Kind kind;
        int command, channel, number;
    };
    const Case cases[] = {
        { { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }, Kind::identityRequest, -1, -1, -1 },
        { { 0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7 }, Kind::identityRequest, -1, -1, -1 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x05, 0x03, 0xF7 }, Kind::channelProgramSelect, 0x20, 0, 643 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x0F, 0x7F, 0x7F, 0xF7 }, Kind::channelProgramSelect, 0x20, 15, 16383 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x02, 0x0A, 0xF7 }, Kind::multiSelect, 0x11, -1, 266 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x00, 0xF7 }, Kind::channelSelect, 0x40, 0, -1 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x20, 0x00, 0x0A, 0x01, 0x01, 0x20, 0xF7 }, Kind::otherCommand, 0x5A, -1, -1 },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0xF7 }, Kind::otherCommand, 0x02, -1, -1 },
    };

    for (const auto& c : cases)
    {
        const auto d = decode (c.bytes);
        EXPECT_EQ (d.kind, c.kind);
        EXPECT_EQ (d.command, c.command);
        EXPECT_EQ (d.channel, c.channel);
        EXPECT_EQ (d.number, c.number);
    }

    EXPECT_EQ (InstrumentSysexDecoder::decode (nullptr, 10).kind, Kind::rejected);
}

TEST (InstrumentSysexDecoder, MutatedMessagesAreRejectedUnlessStillExactlyValid)
{
    // Every accepted message must be byte for byte the form its decoded values are
    // sent in; anything else must be rejected, whatever was flipped, cut or added.
    const Bytes seeds[] = {
        { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x03, 0x01, 0x05, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x00, 0x09, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x0A, 0xF7 },
    };
    std::mt19937 random (2024);

    int accepted = 0;
    for (int i = 0; i < 50000; ++i)
    {
        auto b = seeds[random() % std::size (seeds)];
        const int edits = 1 + (int) (random() % 3);
        for (int e = 0; e < edits; ++e)
        {
            switch (random() % 4)
            {
                case 0: if (! b.empty()) b[random() % b.size()] = (std::uint8_t) random(); break;
                case 1: if (! b.empty()) b[random() % b.size()] = (std::uint8_t) (random() % 20); break;
                case 2: if (! b.empty()) b.erase (b.begin() + (std::ptrdiff_t) (random() % b.size())); break;
                default: b.insert (b.begin() + (std::ptrdiff_t) (random() % (b.size() + 1)), (std::uint8_t) random()); break;
            }
        }

        const auto d = decode (b);
        if (d.kind == Kind::rejected)
            continue;

        if (d.kind == Kind::otherCommand)
        {
            ASSERT_GE (b.size(), 7u);
            ASSERT_EQ (Bytes (b.begin(), b.begin() + 5), (Bytes { 0xF0, 0x07, 0x46, 0x01, 0x00 }));
            ASSERT_EQ (b.back(), 0xF7);
            ASSERT_EQ (d.command, b[5]);
            continue;
        }

        ++accepted;
        ASSERT_EQ (b, canonical (d, b.size() > 2 ? b[2] : 0));
        ASSERT_GE (d.channel, -1);
        ASSERT_LE (d.channel, 15);
    }
    EXPECT_GT (accepted, 0); // some edits keep a message valid (a new channel or number)
}

} // namespace
