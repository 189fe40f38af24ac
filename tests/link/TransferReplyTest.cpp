#include "link/SysexProtocol.h"
#include "link/TransferReply.h"

#include <gtest/gtest.h>

#include <vector>

using zd8::SysexProtocol;
using zd8::TransferReply;
using Kind = TransferReply::Kind;
using Message = std::vector<juce::uint8>;

namespace
{
    void append14 (Message& m, int v) { m.push_back ((juce::uint8) (v & 0x7F)); m.push_back ((juce::uint8) ((v >> 7) & 0x7F)); }
    void append21 (Message& m, int v) { append14 (m, v); m.push_back ((juce::uint8) ((v >> 14) & 0x7F)); }

    Message replyHead (int sub, int byte7 = 0)
    {
        return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, (juce::uint8) sub, (juce::uint8) byte7 };
    }

    /** A data chunk as the instrument sends it: header, numbers, packed data, two bytes
        the program does not look at, F7. */
    Message chunk (int type, int id, int offset, int length, const std::vector<juce::uint8>& data)
    {
        auto m = replyHead (1);
        append14 (m, type);
        append14 (m, id);
        append21 (m, offset);
        append21 (m, length);
        const auto packed = SysexProtocol::encode7 (data.data(), data.size());
        const auto* p = static_cast<const juce::uint8*> (packed.getData());
        m.insert (m.end(), p, p + packed.getSize() - 1);
        m.insert (m.end(), { 0x55, 0x2A, 0xF7 });
        return m;
    }

    Message info (int type, int id, int total, const std::vector<juce::uint8>& name)
    {
        auto m = replyHead (5);
        append14 (m, type);
        append14 (m, id);
        append21 (m, total);
        m.push_back (0x00);   // offset 15
        m.insert (m.end(), name.begin(), name.end());
        m.push_back (0xF7);
        return m;
    }

    Message toMessage (const juce::MemoryBlock& block)
    {
        const auto* p = static_cast<const juce::uint8*> (block.getData());
        return Message (p, p + block.getSize());
    }

    Message withoutF0 (const Message& m) { return Message (m.begin() + 1, m.end()); }

    /** Parses m as it arrives and as the transfer engine stores it (without its F0);
        both must give the same reply. */
    TransferReply parseBoth (const Message& m)
    {
        const auto full = TransferReply::parse (m.data(), m.size());
        const auto stored = withoutF0 (m);
        const auto copy = TransferReply::parse (stored.data(), stored.size(), true);

        EXPECT_EQ (copy.kind, full.kind);
        EXPECT_EQ (copy.type, full.type);
        EXPECT_EQ (copy.id, full.id);
        EXPECT_EQ (copy.offset, full.offset);
        EXPECT_EQ (copy.length, full.length);
        EXPECT_EQ (copy.totalSize, full.totalSize);
        EXPECT_EQ (copy.nackCode, full.nackCode);
        EXPECT_EQ (copy.name, full.name);
        EXPECT_EQ (copy.data, full.data);
        return full;
    }

    std::vector<juce::uint8> pattern (size_t size)
    {
        std::vector<juce::uint8> v (size);
        for (size_t i = 0; i < size; ++i)
            v[i] = (juce::uint8) (i * 131 + 7);
        return v;
    }
}

//==============================================================================
TEST (TransferReplyParse, ChunkCarriesItsNumbersAndData)
{
    struct Case { int type; int id; int offset; int length; size_t dataSize; };
    const Case cases[] = {
        { 138, 4097, 0, 2048, 2048 },
        { 155, 8191, 4096, 904, 904 },
        { 156, 1, 2097151, 2097151, 0 },
        { 138, 16383, 2048, 2048, 1 },
        { 138, 4096, 0, 5000, 300 },    // length beyond the data: the data is what is there
    };

    for (const auto& c : cases)
    {
        const auto data = pattern (c.dataSize);
        const auto r = parseBoth (chunk (c.type, c.id, c.offset, c.length, data));
        SCOPED_TRACE (juce::String::formatted ("type %d id %d offset %d", c.type, c.id, c.offset).toStdString());

        EXPECT_EQ (r.kind, Kind::chunk);
        EXPECT_EQ (r.type, c.type);
        EXPECT_EQ (r.id, c.id);
        EXPECT_EQ (r.offset, c.offset);
        EXPECT_EQ (r.length, c.length);
        EXPECT_EQ (r.data, juce::MemoryBlock (data.data(), data.size()));
    }
}

TEST (TransferReplyParse, ObjectInformationNamesTheObject)
{
    const std::vector<juce::uint8> name = { 'G', 'r', 'a', 'n', 'd', 0, 'P', 'n', 'o', 10, 19, 20,
                                            'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h' };
    const auto r = parseBoth (info (138, 4097, 5000, name));

    EXPECT_EQ (r.kind, Kind::info);
    EXPECT_EQ (r.type, 138);
    EXPECT_EQ (r.id, 4097);
    EXPECT_EQ (r.totalSize, 5000);
    EXPECT_EQ (r.name, juce::String ("Grand Pno  ") + juce::String::charToString ((juce::juce_wchar) 20) + "abcdefgh");
    EXPECT_EQ (r.name.length(), 20);
}

TEST (TransferReplyParse, ShortNameIsPaddedAndLongerReplyCutAtTwenty)
{
    // The F7 after a short name is not part of it.
    const auto shortReply = parseBoth (info (156, 12, 310, { 'F', 'X' }));
    EXPECT_EQ (shortReply.kind, Kind::info);
    EXPECT_EQ (shortReply.name, juce::String ("FX") + juce::String::repeatedString (" ", 18));

    auto longName = pattern (30);
    for (auto& b : longName)
        b = (juce::uint8) ('a' + b % 26);
    const auto longReply = parseBoth (info (156, 12, 310, longName));
    EXPECT_EQ (longReply.name, juce::String (reinterpret_cast<const char*> (longName.data()), 20));

    const auto noName = parseBoth (Message { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x05, 0x00, 0x0A, 0x01, 0xF7 });
    EXPECT_EQ (noName.kind, Kind::info);
    EXPECT_EQ (noName.type, 138);
    EXPECT_EQ (noName.id, 0);     // the F7 at offset 10 is not a field byte
    EXPECT_EQ (noName.name, juce::String::repeatedString (" ", 20));
}

TEST (TransferReplyParse, AcknowledgeAndNegativeReplies)
{
    auto ack = replyHead (2);
    ack.push_back (0xF7);
    EXPECT_EQ (parseBoth (ack).kind, Kind::ack);

    for (int code : { 0, 2, 4, 10, 127 })
    {
        auto nack = replyHead (3, code);
        nack.insert (nack.end(), { 0x0A, 0x01, 0x01, 0x20, 0xF7 });
        const auto r = parseBoth (nack);
        EXPECT_EQ (r.kind, Kind::nack);
        EXPECT_EQ (r.nackCode, code);
    }

    EXPECT_EQ (SysexProtocol::nackText (parseBoth (Message { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x03, 0x04, 0xF7 }).nackCode),
               "Nack_object_not_found");
    EXPECT_EQ (parseBoth (Message { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x03, 0xF7 }).nackCode, 0);
}

TEST (TransferReplyParse, OtherMessagesAreNotReplies)
{
    const Message others[] = {
        toMessage (SysexProtocol::objectInfoRequest (138, 4097)),
        toMessage (SysexProtocol::objectChunkRequest (138, 4097, 0, 2048)),
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x04, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5B, 0x01, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0x01, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x02, 0x00, 0x5A, 0x01, 0xF7 },
        { 0xF0, 0x07, 0x45, 0x01, 0x00, 0x5A, 0x01, 0xF7 },
        { 0xF0, 0x7E, 0x00, 0x06, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A },                // not complete
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x02, 0x00 },
        { 0xF0, 0xF7 },
        { 0xF7 },
        {},
    };

    for (const auto& m : others)
    {
        EXPECT_EQ (TransferReply::parse (m.data(), m.size()).kind, Kind::none) << juce::String::toHexString (m.data(), (int) m.size());
        if (! m.empty())
        {
            const auto stored = withoutF0 (m);
            EXPECT_EQ (TransferReply::parse (stored.data(), stored.size(), true).kind, Kind::none)
                << juce::String::toHexString (m.data(), (int) m.size());
        }
    }

    // A stored copy still carrying its F0, or a full message without it.
    auto ack = replyHead (2);
    ack.push_back (0xF7);
    EXPECT_EQ (TransferReply::parse (ack.data(), ack.size(), true).kind, Kind::none);
    const auto stored = withoutF0 (ack);
    EXPECT_EQ (TransferReply::parse (stored.data(), stored.size()).kind, Kind::none);
    EXPECT_EQ (TransferReply::parse (nullptr, 40).kind, Kind::none);
}

TEST (TransferReplyParse, TruncatedChunksReadMissingBytesAsZeroAndCarryNoData)
{
    const auto full = chunk (138, 4097, 2048, 2048, pattern (40));

    // Cut after n bytes and closed with F7: numbers that are cut off read as 0, data
    // is whatever packed bytes remain before the last three.
    for (size_t n = 7; n < full.size(); ++n)
    {
        Message cut (full.begin(), full.begin() + (long) n);
        cut.push_back (0xF7);
        const auto r = parseBoth (cut);

        EXPECT_EQ (r.kind, Kind::chunk) << n;
        EXPECT_LE (r.data.getSize(), n < 20 ? 0u : 40u) << n;
        EXPECT_EQ (r.type, n <= 8 ? 0 : (n == 9 ? 138 % 128 : 138)) << n;
    }
}
