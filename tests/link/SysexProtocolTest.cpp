#include "link/SysexProtocol.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using zd8::SysexProtocol;
using Bytes = std::vector<int>;

namespace
{
    Bytes toBytes (const juce::MemoryBlock& m)
    {
        Bytes b;
        for (size_t i = 0; i < m.getSize(); ++i)
            b.push_back ((int) static_cast<const juce::uint8*> (m.getData())[i]);
        return b;
    }

    std::vector<juce::uint8> randomBytes (juce::Random& random, size_t size)
    {
        std::vector<juce::uint8> v (size);
        for (auto& b : v)
            b = (juce::uint8) random.nextInt (256);
        return v;
    }

    bool allDataBytesBelow80 (const Bytes& message)
    {
        for (size_t i = 1; i + 1 < message.size(); ++i)
            if (message[i] > 0x7F)
                return false;
        return true;
    }
}

//==============================================================================
TEST (SysexProtocol7BitPacking, SeptetCountsFollowTheRemainderRule)
{
    struct Case { size_t bytes; size_t septets; };
    const Case cases[] = { { 0, 0 }, { 1, 2 }, { 6, 7 }, { 7, 8 }, { 8, 10 }, { 14, 16 }, { 15, 18 }, { 2048, 2341 } };

    for (const auto& c : cases)
    {
        std::vector<juce::uint8> data (c.bytes, 0xFF);
        const auto packed = toBytes (SysexProtocol::encode7 (data.data(), data.size()));

        ASSERT_EQ (packed.size(), c.septets + 1) << c.bytes << " bytes";
        EXPECT_EQ (packed.back(), 0xF7);
        EXPECT_EQ (SysexProtocol::packedSize (c.bytes), c.septets);
        for (size_t i = 0; i < c.septets; ++i)
            EXPECT_LE (packed[i], 0x7F) << c.bytes << " bytes, septet " << i;
    }
}

TEST (SysexProtocol7BitPacking, FullGroupHasTheInstrumentsBitLayout)
{
    juce::Random random (7);

    for (int round = 0; round < 50; ++round)
    {
        const auto b = randomBytes (random, 7);
        const Bytes expected = {
            b[0] & 0x7F,
            ((b[1] << 1) | (b[0] >> 7)) & 0x7F,
            ((b[2] << 2) | (b[1] >> 6)) & 0x7F,
            ((b[3] << 3) | (b[2] >> 5)) & 0x7F,
            ((b[4] << 4) | (b[3] >> 4)) & 0x7F,
            ((b[5] << 5) | (b[4] >> 3)) & 0x7F,
            ((b[6] << 6) | (b[5] >> 2)) & 0x7F,
            b[6] >> 1,
            0xF7,
        };
        EXPECT_EQ (toBytes (SysexProtocol::encode7 (b.data(), b.size())), expected);
    }
}

TEST (SysexProtocol7BitPacking, PartialGroupKeepsItsHighBitsInTheLastSeptet)
{
    const juce::uint8 one[] = { 0xFF };
    EXPECT_EQ (toBytes (SysexProtocol::encode7 (one, 1)), (Bytes { 0x7F, 0x01, 0xF7 }));

    const juce::uint8 two[] = { 0x80, 0x81 };
    EXPECT_EQ (toBytes (SysexProtocol::encode7 (two, 2)), (Bytes { 0x00, 0x03, 0x02, 0xF7 }));

    // Eight bytes: a full group of eight septets, then 0x80 as two septets.
    std::vector<juce::uint8> eight (8, 0);
    eight[7] = 0x80;
    EXPECT_EQ (toBytes (SysexProtocol::encode7 (eight.data(), eight.size())),
               (Bytes { 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x01, 0xF7 }));
}

TEST (SysexProtocol7BitPacking, DecodeReversesEncodeForEveryLength)
{
    juce::Random random (2024);

    for (size_t size = 0; size <= 300; ++size)
    {
        const auto data = randomBytes (random, size);
        const auto packed = SysexProtocol::encode7 (data.data(), data.size());

        const auto withEnd = SysexProtocol::decode7 (packed.getData(), packed.getSize());
        const auto withoutEnd = SysexProtocol::decode7 (packed.getData(), packed.getSize() - 1);

        ASSERT_EQ (withEnd, juce::MemoryBlock (data.data(), data.size())) << "length " << size;
        ASSERT_EQ (withoutEnd, withEnd) << "length " << size;
    }
}

TEST (SysexProtocol7BitPacking, DecodeIgnoresBit7AndDropsLeftoverBits)
{
    juce::Random random (99);
    const auto data = randomBytes (random, 23);
    auto packed = toBytes (SysexProtocol::encode7 (data.data(), data.size()));

    // Garble bit 7 of every septet; the F7 stays last and is the only byte dropped.
    std::vector<juce::uint8> garbled;
    for (size_t i = 0; i + 1 < packed.size(); ++i)
        garbled.push_back ((juce::uint8) (packed[i] | 0x80));
    garbled.push_back (0xF7);
    EXPECT_EQ (SysexProtocol::decode7 (garbled.data(), garbled.size()), juce::MemoryBlock (data.data(), data.size()));

    struct Case { size_t septets; size_t bytes; };
    const Case cases[] = { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 7, 6 }, { 8, 7 }, { 9, 7 }, { 10, 8 }, { 16, 14 } };
    const std::vector<juce::uint8> septets (16, 0x55);
    for (const auto& c : cases)
        EXPECT_EQ (SysexProtocol::decode7 (septets.data(), c.septets).getSize(), c.bytes) << c.septets << " septets";

    const juce::uint8 onlyEnd[] = { 0xF7 };
    EXPECT_EQ (SysexProtocol::decode7 (onlyEnd, 1).getSize(), 0u);
    EXPECT_EQ (SysexProtocol::decode7 (nullptr, 12).getSize(), 0u);
    EXPECT_EQ (SysexProtocol::encode7 (nullptr, 12).getSize(), 1u);
}

//==============================================================================
TEST (SysexProtocolNames, NameFieldIsSixteenShowableCharacters)
{
    struct Case { juce::String name; Bytes expected; };
    const Bytes blanks (16, 32);
    auto with = [&blanks] (std::initializer_list<std::pair<size_t, int>> changes)
    {
        auto b = blanks;
        for (auto [index, code] : changes)
            b[index] = code;
        return b;
    };

    const Case cases[] = {
        { "", blanks },
        { "Piano", with ({ { 0, 'P' }, { 1, 'i' }, { 2, 'a' }, { 3, 'n' }, { 4, 'o' } }) },
        { "ABCDEFGHIJKLMNOPQRSTUVWXYZ", { 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P' } },
        { juce::String::charToString ((juce::juce_wchar) 233), blanks },                       // beyond 159: blank
        { juce::String::charToString ((juce::juce_wchar) 127), with ({ { 0, 127 } }) },       // highest kept
        { juce::String::charToString ((juce::juce_wchar) 128), blanks },                       // bit 7: no data byte
        { juce::String::charToString ((juce::juce_wchar) 159), blanks },
        { juce::String::charToString ((juce::juce_wchar) 160), blanks },
        { juce::String::charToString ((juce::juce_wchar) 20), with ({ { 0, 20 } }) },         // lowest kept
        { juce::String::charToString ((juce::juce_wchar) 19) + "x", with ({ { 1, 'x' } }) },
        { juce::String::charToString ((juce::juce_wchar) 0x20AC) + "E", with ({ { 1, 'E' } }) },
    };

    for (const auto& c : cases)
        EXPECT_EQ (toBytes (SysexProtocol::nameField (c.name)), c.expected) << c.name;
}

TEST (SysexProtocolNames, InfoNameIsTwentyCharactersWithControlBytesBlank)
{
    const juce::uint8 chars[] = { 'G', 'r', 0, 'n', 19, 20, 'd' };
    EXPECT_EQ (SysexProtocol::nameFromInfo (chars, sizeof (chars)),
               juce::String ("Gr n ") + juce::String::charToString ((juce::juce_wchar) 20) + "d" + juce::String::repeatedString (" ", 13));

    const std::vector<juce::uint8> longName (30, 'a');
    EXPECT_EQ (SysexProtocol::nameFromInfo (longName.data(), longName.size()), juce::String::repeatedString ("a", 20));
    EXPECT_EQ (SysexProtocol::nameFromInfo (nullptr, 5), juce::String::repeatedString (" ", 20));
}

//==============================================================================
TEST (SysexProtocolMessages, BuildersProduceTheInstrumentsBytes)
{
    struct Case { const char* what; juce::MemoryBlock message; Bytes expected; };
    const Case cases[] = {
        { "channel program select", SysexProtocol::channelProgramSelect (3, 1, 5),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x03, 0x01, 0x05, 0xF7 } },
        { "multi select 300", SysexProtocol::multiSelect (300),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x02, 0x2C, 0xF7 } },
        { "channel select", SysexProtocol::channelSelect (15),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x0F, 0xF7 } },
        { "identity request", SysexProtocol::identityRequest(),
          { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 } },
        { "info request 138 / 4097", SysexProtocol::objectInfoRequest (138, 4097),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x20, 0x00, 0x0A, 0x01, 0x01, 0x20, 0xF7 } },
        { "chunk request 155 / 8191 at 300000, 904 bytes", SysexProtocol::objectChunkRequest (155, 8191, 300000, 904),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x00, 0x00, 0x1B, 0x01, 0x7F, 0x3F, 0x60, 0x27, 0x12, 0x08, 0x07, 0x00, 0xF7 } },
        { "chunk request, length above 2048 clamped", SysexProtocol::objectChunkRequest (156, 1, 2048, 5000),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x00, 0x00, 0x1C, 0x01, 0x01, 0x00, 0x00, 0x10, 0x00, 0x00, 0x10, 0x00, 0xF7 } },
        { "device byte", SysexProtocol::channelSelect (2, 0x10),
          { 0xF0, 0x07, 0x46, 0x01, 0x10, 0x40, 0x02, 0xF7 } },
        { "empty body", SysexProtocol::frameBody ({}),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0xF7 } },
        { "full-length framing", SysexProtocol::frameFull (juce::MemoryBlock ("\x01\x02\x03\x04\x5A\xF7", 6)),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0xF7 } },
        { "full-length framing of a stub", SysexProtocol::frameFull (juce::MemoryBlock ("\x01\x02", 2)),
          { 0xF0, 0x07, 0x46, 0x01, 0x00 } },
        { "name message", SysexProtocol::objectNameMessage (0x0B, 4097, 0, "Stage"),
          { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x0B, 0x20, 0x01, 0x00, 0x00, 0x00, 0x11,
            'S', 't', 'a', 'g', 'e', 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 0xF7 } },
        { "no name message for object 0", SysexProtocol::objectNameMessage (0x02, 0, 3, "Stage"), {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (toBytes (c.message), c.expected) << c.what;

    EXPECT_EQ (SysexProtocol::objectNameMessage (0x02, 8191, 15, "A very long program name").getSize(),
               (size_t) SysexProtocol::nameMessageSize);
}

TEST (SysexProtocolMessages, ProgramDataMessageCarriesThePackedBlock)
{
    juce::Random random (5);
    const auto block = randomBytes (random, 153);
    const auto message = toBytes (SysexProtocol::programDataMessage (7, 4, 3, juce::MemoryBlock (block.data(), block.size())));

    ASSERT_EQ (message.size(), 12 + SysexProtocol::packedSize (block.size()) + 1);
    EXPECT_EQ (Bytes (message.begin(), message.begin() + 12),
               (Bytes { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0x00, 0x00, 0x07, 0x04, 0x00, 0x03 }));
    EXPECT_EQ (message.back(), 0xF7);

    std::vector<juce::uint8> tail (message.begin() + 12, message.end());
    EXPECT_EQ (SysexProtocol::decode7 (tail.data(), tail.size()), juce::MemoryBlock (block.data(), block.size()));
}

TEST (SysexProtocolMessages, OutOfRangeArgumentsNeverMakeADataByteAbove7F)
{
    const juce::MemoryBlock messages[] = {
        SysexProtocol::channelProgramSelect (-1, 200, 300),
        SysexProtocol::channelProgramSelect (99, -5, 128),
        SysexProtocol::multiSelect (-1),
        SysexProtocol::multiSelect (1 << 20),
        SysexProtocol::channelSelect (16),
        SysexProtocol::objectInfoRequest (-138, 20000),
        SysexProtocol::objectChunkRequest (1 << 15, -1, -5, -5),
        SysexProtocol::objectChunkRequest (138, 4096, 1 << 30, 1 << 30),
        SysexProtocol::programDataMessage (-1, 300, 1000, juce::MemoryBlock (10, true)),
        SysexProtocol::objectNameMessage (0x1FF, 1 << 20, 500, juce::String::charToString ((juce::juce_wchar) 0x10FFFF)),
    };

    for (const auto& m : messages)
    {
        const auto bytes = toBytes (m);
        EXPECT_EQ (bytes.front(), 0xF0);
        EXPECT_EQ (bytes.back(), 0xF7);
        EXPECT_TRUE (allDataBytesBelow80 (bytes)) << juce::String::toHexString (m.getData(), (int) m.getSize());
    }
}

//==============================================================================
TEST (SysexProtocolControllers, SevenControllersAddressOneParameter)
{
    struct Case { int value; int msb; int lsb; };
    const Case cases[] = {
        { -1, 63, 127 }, { 0, 64, 0 }, { 1, 64, 1 }, { 8191, 127, 127 }, { -8192, 0, 0 },
        { 8192, 127, 127 }, { -9000, 0, 0 }, { std::numeric_limits<int>::max(), 127, 127 }, { std::numeric_limits<int>::min(), 0, 0 },
    };
    const int address[5] = { 1, 0, 1, 0, 20 };

    for (const auto& c : cases)
    {
        juce::MidiBuffer buffer;
        SysexProtocol::addControllerAddressed (buffer, 16, address, c.value);

        std::vector<std::pair<int, int>> sent;
        for (const auto metadata : buffer)
        {
            const auto m = metadata.getMessage();
            ASSERT_TRUE (m.isController());
            EXPECT_EQ (m.getChannel(), 16);
            EXPECT_EQ (metadata.samplePosition, 0);
            sent.emplace_back (m.getControllerNumber(), m.getControllerValue());
        }

        const std::vector<std::pair<int, int>> expected = { { 110, 1 }, { 111, 0 }, { 112, 1 }, { 113, 0 }, { 114, 20 },
                                                            { 118, c.msb }, { 119, c.lsb } };
        EXPECT_EQ (sent, expected) << "value " << c.value;
    }
}

TEST (SysexProtocolControllers, BadAddressBytesAndChannelsAreClamped)
{
    juce::MidiBuffer buffer;
    const int address[5] = { 200, -3, 127, 128, 0 };
    SysexProtocol::addControllerAddressed (buffer, 0, address, 5);

    std::vector<int> values;
    for (const auto metadata : buffer)
    {
        EXPECT_EQ (metadata.getMessage().getChannel(), 1);
        values.push_back (metadata.getMessage().getControllerValue());
    }
    EXPECT_EQ (values, (std::vector<int> { 127, 0, 127, 127, 0, 64, 5 }));
}

//==============================================================================
TEST (SysexProtocolReplies, NackTexts)
{
    const std::pair<int, const char*> cases[] = {
        { 0, "" }, { 1, "" }, { 2, "Nack_bad_checksum" }, { 3, "Nack_bad_type_or_id" }, { 4, "Nack_object_not_found" },
        { 5, "" }, { 6, "Nack_object_not_prepared" }, { 7, "Nack_size_or_offset_bad" }, { 8, "Nack_no_mem_to_process" },
        { 9, "Nack_object_being_edited" }, { 10, "Nack_mismatched_type_id" }, { 11, "" }, { -1, "" },
    };

    for (const auto& [code, text] : cases)
        EXPECT_EQ (SysexProtocol::nackText (code), juce::String (text)) << code;
}

TEST (SysexProtocolReplies, RecognisesIdentityRepliesAndInstrumentMessagesByTheirFixedBytesOnly)
{
    struct Case { Bytes message; bool identity; bool instrument; };
    const Case cases[] = {
        { { 0xF0, 0x7E, 0x00, 0x06, 0xF7 }, true, false },
        { { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07, 0x46, 0x01, 0x01, 0x00, 0xF7 }, true, false },
        { { 0xF0, 0x7E, 0x46, 0x06, 0xF7 }, true, false },
        { { 0xF0, 0x7E, 0x46, 0x01, 0xF7 }, false, true },
        { { 0xF0, 0x7D, 0x00, 0x06, 0xF7 }, false, false },
        { { 0xF0, 0x7E, 0x00 }, false, false },
        { { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0xF7 }, false, true },
        { { 0xF0, 0x41, 0x46, 0x01 }, false, true },
        { { 0xF0, 0x07, 0x46, 0x02, 0x00, 0xF7 }, false, false },
        { { 0xF0, 0x07, 0x45, 0x01, 0x00, 0xF7 }, false, false },
        { { 0xF0, 0x07, 0x46 }, false, false },
        { {}, false, false },
    };

    for (const auto& c : cases)
    {
        std::vector<juce::uint8> m (c.message.begin(), c.message.end());
        EXPECT_EQ (SysexProtocol::isIdentityReply (m.data(), m.size()), c.identity) << juce::String::toHexString (m.data(), (int) m.size());
        EXPECT_EQ (SysexProtocol::isInstrumentMessage (m.data(), m.size()), c.instrument) << juce::String::toHexString (m.data(), (int) m.size());
    }

    EXPECT_FALSE (SysexProtocol::isIdentityReply (nullptr, 10));
    EXPECT_FALSE (SysexProtocol::isInstrumentMessage (nullptr, 10));
}

TEST (SysexProtocolReplies, ByteAtReadsZeroOutsideTheMessage)
{
    const juce::uint8 m[] = { 0xF0, 0x07, 0xF7 };
    EXPECT_EQ (SysexProtocol::byteAt (m, 3, 2), 0xF7);
    EXPECT_EQ (SysexProtocol::byteAt (m, 3, 3), 0);
    EXPECT_EQ (SysexProtocol::byteAt (m, 2, 2), 0);
    EXPECT_EQ (SysexProtocol::byteAt (nullptr, 3, 0), 0);
}
