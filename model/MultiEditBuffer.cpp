#include "model/MultiEditBuffer.h"

#include <algorithm>

namespace zd8
{

MultiEditBuffer::MultiEditBuffer() = default;

void MultiEditBuffer::loadRecord (const juce::MemoryBlock& source)
{
    // Everything is built outside the lock; the swap under it is a few moves.
    juce::MemoryBlock newRecord (source);
    auto* bytes = static_cast<std::uint8_t*> (newRecord.getData());
    const size_t size = newRecord.getSize();

    MultiCommon newCommon;
    newCommon.setData (juce::MemoryBlock (bytes, std::min (size, (size_t) MultiZoneWalk::commonSize)),
                       MultiZoneWalk::storeLayout);

    std::array<MultiZone, zoneSlots> newZones;
    std::array<std::int64_t, zoneSlots> starts {}, lengths {};
    std::array<bool, zoneSlots> marks {};

    const auto spans = MultiZoneWalk::walkRecord (MultiBytes (bytes, size));
    for (size_t z = 0; z < spans.size(); ++z)
    {
        const auto& span = spans[z];
        // The reorder stays inside the span, so it changes nothing the next zones'
        // walk reads; the zone then takes the bytes as they now stand.
        MultiZoneWalk::applyReorder (bytes, size, span.parts);
        const auto available = std::min<std::int64_t> (span.length, (std::int64_t) size - span.start);
        newZones[z].setData (juce::MemoryBlock (bytes + span.start, (size_t) available),
                             MultiZoneWalk::storeLayout, false);
        starts[z] = span.start;
        lengths[z] = span.length;
        marks[z] = span.reorder;
    }

    {
        const std::lock_guard<std::mutex> g (lock);
        record.swapWith (newRecord);
        std::swap (common, newCommon);
        std::swap (zones, newZones);
        zoneStarts = starts;
        zoneLengths = lengths;
        zoneMarks = marks;
    }
    sendChangeMessage();
}

void MultiEditBuffer::multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setNamePart (header, data);
        lastChange = changedNamePart;
    }
    sendChangeMessage();
}

void MultiEditBuffer::multiBlock1 (const juce::MemoryBlock& data)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setRest (data);
        lastChange = changedCommonRest;
    }
    sendChangeMessage();
}

void MultiEditBuffer::multiBlock2 (int blockIndex, const juce::MemoryBlock& data)
{
    if (! validZone (blockIndex))
        return;

    // Decode outside the lock; the zone count is checked against the common part as
    // it stands when the zone is put in.
    MultiZone zone;
    zone.setData (data, MultiZoneWalk::storeLayout);
    {
        const std::lock_guard<std::mutex> g (lock);
        if (blockIndex > common.zoneCount() + 1)
            return;
        std::swap (zones[(size_t) blockIndex], zone);
        lastChange = blockIndex;
    }
    sendChangeMessage();
}

void MultiEditBuffer::setCommonData (const juce::MemoryBlock& data, int layout)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setData (data, layout);
        lastChange = changedCommonRest;
    }
    sendChangeMessage();
}

bool MultiEditBuffer::setZoneKeyRange (int zone, int lowKey, int highKey)
{
    if (! validZone (zone))
        return false;
    {
        const std::lock_guard<std::mutex> g (lock);
        auto& z = zones[(size_t) zone];
        if (! z.setByte (MultiZoneWalk::headerLowKey, lowKey) || ! z.setByte (MultiZoneWalk::headerHighKey, highKey))
            return false;
        lastChange = zone;
    }
    sendChangeMessage();
    return true;
}

bool MultiEditBuffer::setZoneProgram (int zone, int program)
{
    if (! validZone (zone))
        return false;
    {
        const std::lock_guard<std::mutex> g (lock);
        if (! zones[(size_t) zone].setProgram (program))
            return false;
        lastChange = zone;
    }
    sendChangeMessage();
    return true;
}

int MultiEditBuffer::zoneCount() const
{
    const std::lock_guard<std::mutex> g (lock);
    return common.zoneCount();
}

int MultiEditBuffer::multiParameter (int type, int zone, int number) const
{
    const std::lock_guard<std::mutex> g (lock);
    if (type == MultiZone::typeTempo)
        return zones[0].tempoParameter (number);
    if (MultiZone::isZoneType (type))
        return validZone (zone) ? zones[(size_t) zone].parameter (type, number) : 0;
    return common.parameter (type, number);
}

int MultiEditBuffer::getLastChange() const
{
    const std::lock_guard<std::mutex> g (lock);
    return lastChange;
}

juce::MemoryBlock MultiEditBuffer::getRecord() const
{
    const std::lock_guard<std::mutex> g (lock);
    return record;
}

MultiCommon MultiEditBuffer::getCommon() const
{
    const std::lock_guard<std::mutex> g (lock);
    return common;
}

MultiZone MultiEditBuffer::getZone (int zone) const
{
    if (! validZone (zone))
        return {};
    const std::lock_guard<std::mutex> g (lock);
    return zones[(size_t) zone];
}

std::int64_t MultiEditBuffer::getZoneStart (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) ? zoneStarts[(size_t) zone] : 0;
}

std::int64_t MultiEditBuffer::getZoneLength (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) ? zoneLengths[(size_t) zone] : 0;
}

bool MultiEditBuffer::getZoneReordered (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) && zoneMarks[(size_t) zone];
}

} // namespace zd8
