#include "link/InstrumentMessage.h"
#include "link/SysexProtocol.h"

#include <gtest/gtest.h>

#include <vector>

using zd8::InstrumentMessage;
using zd8::SysexProtocol;
using Route = InstrumentMessage::Route;
using Message = std::vector<juce::uint8>;

namespace
{
    /** An object-data message of exactly totalSize bytes (with F0 and F7): the header,
        command, object number, part, block type and index, the data flag, then a
        septet pattern up to the F7. */
    Message dataMessage (int command, int blockType, size_t totalSize,
                         int part = 3, int carries = 1, int objectNumber = 0x1234, int blockIndex = 9)
    {
        Message m = { 0xF0, 0x07, 0x46, 0x01, 0x00, (juce::uint8) command,
                      (juce::uint8) (objectNumber >> 7), (juce::uint8) (objectNumber & 0x7F),
                      (juce::uint8) part, (juce::uint8) blockType, (juce::uint8) blockIndex, (juce::uint8) carries };
        for (size_t i = m.size(); i + 1 < totalSize; ++i)
            m.push_back ((juce::uint8) ((i * 37 + 11) & 0x7F));
        m.resize (totalSize - 1);
        m.push_back (0xF7);
        return m;
    }

    InstrumentMessage parse (const Message& m)
    {
        return InstrumentMessage::parse (m.data(), m.size());
    }

    juce::MemoryBlock decodedFrom (const Message& m, size_t dataOffset)
    {
        if (dataOffset >= m.size() - 1)
            return {};
        return SysexProtocol::decode7 (m.data() + dataOffset, m.size() - 1 - dataOffset);
    }

    struct Row
    {
        int command;
        int blockType;
        size_t requiredSize;   // 0: any length
        size_t dataOffset;
        Route route;
        char mark;
        int masterBlock;
    };

    const Row dispatchTable[] = {
        { 0x02, 0, 185, 33, Route::discard,            0,   0 },
        { 0x02, 1, 377, 13, Route::programEditBlock,   0,   0 },
        { 0x02, 2, 119, 13, Route::programChanged,     '#', 0 },
        { 0x02, 4, 0,   13, Route::programChanged,     '!', 0 },
        { 0x02, 6, 0,   12, Route::programDataReplace, '$', 0 },
        { 0x04, 0, 0,   12, Route::masterData,         0,   3 },
        { 0x04, 1, 0,   12, Route::masterData,         0,   2 },
        { 0x04, 2, 0,   12, Route::masterData,         0,   1 },
        { 0x04, 3, 0,   12, Route::masterData,         0,   4 },
        { 0x05, 0, 41,  12, Route::discard,            0,   0 },
        { 0x05, 77, 41, 12, Route::discard,            0,   0 },
        { 0x0B, 0, 85,  32, Route::multiHeader,        0,   0 },
        { 0x0B, 1, 464, 12, Route::multiBlock1,        0,   0 },
        { 0x0B, 2, 0,   12, Route::multiBlock2,        0,   0 },
        { 0x0B, 5, 0,   12, Route::discard,            0,   0 },
        { 0x0D, 0, 0,   32, Route::discard,            0,   0 },
        { 0x0D, 16, 0,  12, Route::discard,            0,   0 },
        { 0x0D, 24, 0,  12, Route::discard,            0,   0 },
        { 0x0D, 32, 0,  12, Route::discard,            0,   0 },
    };
}

//==============================================================================
TEST (InstrumentMessageDispatch, EveryRowTakesItsLengthAndDataOffset)
{
    for (const auto& row : dispatchTable)
    {
        const std::vector<size_t> sizes = row.requiredSize != 0 ? std::vector<size_t> { row.requiredSize }
                                                                 : std::vector<size_t> { 14, 15, 40, 200 };
        for (auto size : sizes)
        {
            const auto m = dataMessage (row.command, row.blockType, size);
            const auto r = parse (m);
            SCOPED_TRACE (juce::String::formatted ("command %02X, block type %d, %d bytes", row.command, row.blockType, (int) size).toStdString());

            ASSERT_EQ (r.route, row.route);
            EXPECT_EQ (r.command, row.command);
            EXPECT_EQ (r.objectNumber, 0x1234);
            EXPECT_EQ (r.part, 3);
            EXPECT_EQ (r.blockType, row.blockType);
            EXPECT_EQ (r.blockIndex, 9);
            EXPECT_EQ (r.mark, row.mark);
            EXPECT_EQ (r.masterBlock, row.masterBlock);

            auto expected = decodedFrom (m, row.dataOffset);
            if (row.command == 0x02 && row.blockType == 0)
                expected.setSize (120);
            EXPECT_EQ (r.data, expected);

            const auto expectedHeader = row.route == Route::multiHeader ? juce::MemoryBlock (m.data() + 1, 20) : juce::MemoryBlock();
            EXPECT_EQ (r.header, expectedHeader);
        }
    }
}

TEST (InstrumentMessageDispatch, FixedLengthRowsIgnoreOffByOneLengths)
{
    for (const auto& row : dispatchTable)
    {
        if (row.requiredSize == 0)
            continue;

        for (auto size : { row.requiredSize - 1, row.requiredSize + 1 })
            EXPECT_EQ (parse (dataMessage (row.command, row.blockType, size)).route, Route::ignore)
                << "command " << row.command << ", block type " << row.blockType << ", " << size << " bytes";
    }
}

TEST (InstrumentMessageDispatch, ProgramPartDataHasNoEffectAtAnyLengthBut185)
{
    for (size_t size = 2; size <= 600; ++size)
    {
        const auto route = parse (dataMessage (0x02, 0, size)).route;
        EXPECT_EQ (route, size == 185 ? Route::discard : Route::ignore) << size << " bytes";
    }
}

TEST (InstrumentMessageDispatch, UnlistedBlockTypesAndCommandsAreIgnored)
{
    const std::pair<int, int> unlisted[] = {
        { 0x02, 3 }, { 0x02, 5 }, { 0x02, 7 }, { 0x02, 127 }, { 0x04, 4 }, { 0x04, 127 },
        { 0x0B, 3 }, { 0x0B, 4 }, { 0x0B, 6 }, { 0x0D, 1 }, { 0x0D, 15 }, { 0x0D, 33 },
        { 0x00, 0 }, { 0x01, 0 }, { 0x06, 0 }, { 0x11, 0 }, { 0x20, 0 }, { 0x40, 0 }, { 0x7F, 0 },
    };

    for (auto [command, blockType] : unlisted)
        for (size_t size : { 14, 41, 85, 119, 185, 377, 464 })
            EXPECT_EQ (parse (dataMessage (command, blockType, size)).route, Route::ignore)
                << "command " << command << ", block type " << blockType << ", " << size << " bytes";
}

TEST (InstrumentMessageDispatch, StatusRepliesPart32AndShortMessagesAreIgnored)
{
    for (const auto& row : dispatchTable)
    {
        const size_t size = row.requiredSize != 0 ? row.requiredSize : 20;
        SCOPED_TRACE (juce::String::formatted ("command %02X, block type %d", row.command, row.blockType).toStdString());

        EXPECT_EQ (parse (dataMessage (row.command, row.blockType, size, 32)).route, Route::ignore);      // no part
        EXPECT_EQ (parse (dataMessage (row.command, row.blockType, size, 3, 0)).route, Route::ignore);    // status reply
        EXPECT_EQ (parse (dataMessage (row.command, row.blockType, size, 3, 2)).route, Route::ignore);
        EXPECT_EQ (parse (dataMessage (row.command, row.blockType, size, 31)).route, row.route);          // part 31 is a part
        if (row.requiredSize == 0)
        {
            EXPECT_EQ (parse (dataMessage (row.command, row.blockType, 13)).route, Route::ignore);      // under 14 bytes
        }
    }
}

TEST (InstrumentMessageDispatch, TransferFamilyGoesToTheEngineWhateverItHolds)
{
    const Message messages[] = {
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 },
        dataMessage (0x5A, 0, 300, 32, 0),
    };
    for (const auto& m : messages)
        EXPECT_EQ (parse (m).route, Route::transfer);

    for (int command : { 0x5B, 0x03 })
        for (size_t size : { 7, 14, 41, 185 })
            EXPECT_EQ (parse (dataMessage (command, 0, size)).route, Route::ignore) << command << ", " << size << " bytes";
}

TEST (InstrumentMessageDispatch, IdentityReplyIsRecognisedByOffsets1And3Only)
{
    const Message replies[] = {
        { 0xF0, 0x7E, 0x00, 0x06, 0xF7 },
        { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07, 0x46, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 },
        { 0xF0, 0x7E, 0x46, 0x06, 0x01, 0x5A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 },
    };
    for (const auto& m : replies)
        EXPECT_EQ (parse (m).route, Route::identityReply);

    const Message others[] = {
        { 0xF0, 0x7E, 0x00, 0x07, 0xF7 },
        { 0xF0, 0x7F, 0x00, 0x06, 0xF7 },
        { 0xF0, 0x7E, 0x00, 0x06 },          // not complete
    };
    for (const auto& m : others)
        EXPECT_EQ (parse (m).route, Route::ignore);
}

TEST (InstrumentMessageDispatch, GarbledAndTruncatedInputIsIgnored)
{
    auto good = dataMessage (0x04, 3, 30);
    ASSERT_EQ (parse (good).route, Route::masterData);

    auto noStart = good;
    noStart[0] = 0xF1;
    auto noEnd = good;
    noEnd.pop_back();
    noEnd.push_back (0x00);
    auto otherFamily = good;
    otherFamily[2] = 0x45;
    auto otherMember = good;
    otherMember[3] = 0x02;
    auto truncated = Message (good.begin(), good.begin() + 13);

    for (const auto& m : { noStart, noEnd, otherFamily, otherMember, truncated, Message {}, Message { 0xF0 },
                           Message { 0xF7 }, Message { 0xF0, 0xF7 } })
    {
        const auto r = parse (m);
        EXPECT_EQ (r.route, Route::ignore) << juce::String::toHexString (m.data(), (int) m.size());
        EXPECT_EQ (r.data.getSize(), 0u);
    }

    EXPECT_EQ (InstrumentMessage::parse (nullptr, 100).route, Route::ignore);
}

TEST (InstrumentMessageDispatch, MasterDataOfAKnownBlockDecodesTheSentBytes)
{
    // A channel-program table as the instrument sends it: 16 records of 8 bytes, the
    // program number big-endian in bytes 2 and 3.
    juce::MemoryBlock table (128, true);
    for (int k = 0; k < 16; ++k)
    {
        table[k * 8 + 2] = (char) ((100 + k) >> 8);
        table[k * 8 + 3] = (char) ((100 + k) & 0xFF);
    }

    Message m = { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01 };
    const auto packed = SysexProtocol::encode7 (table.getData(), table.getSize());
    m.insert (m.end(), static_cast<const juce::uint8*> (packed.getData()),
              static_cast<const juce::uint8*> (packed.getData()) + packed.getSize());

    const auto r = parse (m);
    EXPECT_EQ (r.route, Route::masterData);
    EXPECT_EQ (r.masterBlock, 4);
    EXPECT_EQ (r.data, table);
}
