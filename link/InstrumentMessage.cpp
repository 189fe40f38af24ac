#include "link/InstrumentMessage.h"

#include "link/SysexProtocol.h"

namespace zd8
{

namespace
{
    // Full-message offsets (0xF0 at offset 0).
    constexpr size_t offCommand = 5;
    constexpr size_t offNumberHigh = 6;
    constexpr size_t offNumberLow = 7;
    constexpr size_t offPart = 8;
    constexpr size_t offBlockType = 9;
    constexpr size_t offBlockIndex = 10;
    constexpr size_t offCarriesData = 11;

    constexpr size_t minimumDataMessageSize = 14;
    constexpr int carriesData = 1;
    constexpr int noPart = 32;

    constexpr size_t dataAt12 = 12;
    constexpr size_t dataAt13 = 13;
    constexpr size_t dataAt32 = 32;
    constexpr size_t dataAt33 = 33;

    constexpr size_t anyLength = 0;
    constexpr size_t multiHeaderSize = 20;     // the first 20 bytes after the 0xF0
    constexpr size_t programPartDataSize = 120; // 0x02 block type 0 keeps this much

    using Route = InstrumentMessage::Route;

    /** One row of the dispatch table. */
    struct Rule
    {
        int command;
        int firstBlockType;
        int lastBlockType;
        size_t requiredSize;   // total length with the 0xF0, or anyLength
        size_t dataOffset;
        Route route;
        char mark;
        int masterBlock;
    };

    constexpr int anyBlockType = -1;

    // Master data: block type 0..3 replaces master block 3, 2, 1, 4.
    constexpr int masterBlockOfType[] = { 3, 2, 1, 4 };

    constexpr Rule rules[] = {
        { SysexProtocol::cmdProgramData, 0, 0, 185,       dataAt33, Route::discard,            0,   0 },
        { SysexProtocol::cmdProgramData, 1, 1, 377,       dataAt13, Route::programEditBlock,   0,   0 },
        { SysexProtocol::cmdProgramData, 2, 2, 119,       dataAt13, Route::programChanged,     '#', 0 },
        { SysexProtocol::cmdProgramData, 4, 4, anyLength, dataAt13, Route::programChanged,     '!', 0 },
        { SysexProtocol::cmdProgramData, 6, 6, anyLength, dataAt12, Route::programDataReplace, '$', 0 },
        { SysexProtocol::cmdMasterData,  0, 3, anyLength, dataAt12, Route::masterData,         0,   0 },
        { SysexProtocol::cmd05, anyBlockType, anyBlockType, 41, dataAt12, Route::discard,      0,   0 },
        { SysexProtocol::cmdMultiData,   0, 0, 85,        dataAt32, Route::multiHeader,        0,   0 },
        { SysexProtocol::cmdMultiData,   1, 1, 464,       dataAt12, Route::multiBlock1,        0,   0 },
        { SysexProtocol::cmdMultiData,   2, 2, anyLength, dataAt12, Route::multiBlock2,        0,   0 },
        { SysexProtocol::cmdMultiData,   5, 5, anyLength, dataAt12, Route::discard,            0,   0 },
        { SysexProtocol::cmd0D,          0, 0, anyLength, dataAt32, Route::discard,            0,   0 },
        { SysexProtocol::cmd0D,         16, 32, anyLength, dataAt12, Route::discard,           0,   0 },
    };

    const Rule* findRule (int command, int blockType, size_t size)
    {
        for (const auto& r : rules)
        {
            if (r.command != command)
                continue;
            if (r.firstBlockType != anyBlockType && (blockType < r.firstBlockType || blockType > r.lastBlockType))
                continue;
            return (r.requiredSize == anyLength || r.requiredSize == size) ? &r : nullptr;
        }
        return nullptr;
    }
}

InstrumentMessage InstrumentMessage::parse (const juce::uint8* message, size_t size)
{
    InstrumentMessage m;

    if (message == nullptr || size < 2 || message[0] != SysexProtocol::sysexStart || message[size - 1] != SysexProtocol::sysexEnd)
        return m;

    if (SysexProtocol::isIdentityReply (message, size))
    {
        m.route = Route::identityReply;
        return m;
    }

    if (! SysexProtocol::isInstrumentMessage (message, size))
        return m;

    auto at = [message, size] (size_t offset) { return SysexProtocol::byteAt (message, size, offset); };

    m.command = at (offCommand);

    if (m.command == SysexProtocol::cmdTransfer)
    {
        m.route = Route::transfer;
        return m;
    }

    if (m.command == SysexProtocol::cmd5B || m.command == SysexProtocol::cmdStatus03)
        return m;

    // Everything else must carry data (offset 11 = 1; other values are status replies)
    // and address a part.
    if (size < minimumDataMessageSize || at (offCarriesData) != carriesData || at (offPart) == noPart)
        return m;

    m.objectNumber = at (offNumberHigh) * 128 + at (offNumberLow);
    m.part = at (offPart);
    m.blockType = at (offBlockType);
    m.blockIndex = at (offBlockIndex);

    const auto* rule = findRule (m.command, m.blockType, size);
    if (rule == nullptr)
        return m;

    m.route = rule->route;
    m.mark = rule->mark;

    if (m.route == Route::masterData)
        m.masterBlock = masterBlockOfType[m.blockType];

    if (m.route == Route::multiHeader)
        m.header.replaceAll (message + 1, juce::jmin (multiHeaderSize, size - 1));   // size is 85 here

    // The packed data runs from the data offset up to (not including) the final F7.
    const size_t end = size - 1;
    if (rule->dataOffset < end)
        m.data = SysexProtocol::decode7 (message + rule->dataOffset, end - rule->dataOffset);

    if (m.command == SysexProtocol::cmdProgramData && m.blockType == 0 && m.data.getSize() > programPartDataSize)
        m.data.setSize (programPartDataSize);

    return m;
}

} // namespace zd8
