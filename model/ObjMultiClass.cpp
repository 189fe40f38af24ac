#include "model/ObjMultiClass.h"

#include <algorithm>

namespace zd8
{

ObjMultiClass::ObjMultiClass() = default;

void ObjMultiClass::loadRecord (const juce::MemoryBlock& source)
{
    // Everything is built outside the lock; the swap under it is a few moves.
    juce::MemoryBlock newRecord (source);
    auto* bytes = static_cast<std::uint8_t*> (newRecord.getData());
    const size_t size = newRecord.getSize();

    subObjMltCommon newCommon;
    newCommon.setData (juce::MemoryBlock (bytes, std::min (size, (size_t) MultiZoneWalk::commonSize)),
                       MultiZoneWalk::storeLayout);

    std::array<subObjZone, zoneSlots> newZones;
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

void ObjMultiClass::multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setNamePart (header, data);
        lastChange = changedNamePart;
    }
    sendChangeMessage();
}

void ObjMultiClass::multiBlock1 (const juce::MemoryBlock& data)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setRest (data);
        lastChange = changedCommonRest;
    }
    sendChangeMessage();
}

void ObjMultiClass::multiBlock2 (int blockIndex, const juce::MemoryBlock& data)
{
    if (! validZone (blockIndex))
        return;

    // Decode outside the lock; the zone count is checked against the common part as
    // it stands when the zone is put in.
    subObjZone zone;
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

void ObjMultiClass::setCommonData (const juce::MemoryBlock& data, int layout)
{
    {
        const std::lock_guard<std::mutex> g (lock);
        common.setData (data, layout);
        lastChange = changedCommonRest;
    }
    sendChangeMessage();
}

bool ObjMultiClass::setZoneKeyRange (int zone, int lowKey, int highKey)
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

bool ObjMultiClass::setZoneProgram (int zone, int program)
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

int ObjMultiClass::zoneCount() const
{
    const std::lock_guard<std::mutex> g (lock);
    return common.zoneCount();
}

int ObjMultiClass::multiParameter (int type, int zone, int number) const
{
    const std::lock_guard<std::mutex> g (lock);
    if (type == subObjZone::typeTempo)
        return zones[0].tempoParameter (number);
    if (subObjZone::isZoneType (type))
        return validZone (zone) ? zones[(size_t) zone].parameter (type, number) : 0;
    return common.parameter (type, number);
}

int ObjMultiClass::getLastChange() const
{
    const std::lock_guard<std::mutex> g (lock);
    return lastChange;
}

juce::MemoryBlock ObjMultiClass::getRecord() const
{
    const std::lock_guard<std::mutex> g (lock);
    return record;
}

subObjMltCommon ObjMultiClass::getCommon() const
{
    const std::lock_guard<std::mutex> g (lock);
    return common;
}

subObjZone ObjMultiClass::getZone (int zone) const
{
    if (! validZone (zone))
        return {};
    const std::lock_guard<std::mutex> g (lock);
    return zones[(size_t) zone];
}

std::int64_t ObjMultiClass::getZoneStart (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) ? zoneStarts[(size_t) zone] : 0;
}

std::int64_t ObjMultiClass::getZoneLength (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) ? zoneLengths[(size_t) zone] : 0;
}

bool ObjMultiClass::getZoneReordered (int zone) const
{
    const std::lock_guard<std::mutex> g (lock);
    return validZone (zone) && zoneMarks[(size_t) zone];
}

} // namespace zd8
