#pragma once

#include "model/ObjectStore.h"

namespace zd8
{

class MultiEditBuffer;

/** The multi store: every multi the plug-in knows, as an ObjectStore of type 155, and
    the load of one of them into the multi edit object.

    Multi record content (offsets from the first byte, big-endian numbers):
      0..19    name, blank-padded        20..22  "ZD7"
      23..461  common area: 26 category, 67 zone count (1..16), per-zone and common
               values (MultiCommon)
      462      the zones, one after another (MultiZoneWalk), then data the plug-in
               keeps without reading it. */
class MultiStore : public ObjectStore
{
public:
    static constexpr int markerOffset = 20;
    static constexpr int markerLength = 3;
    static constexpr int categoryByte = 26;

    MultiStore() : ObjectStore (typeMulti) {}

    /** Loads multi id into the edit object (an absent multi loads as an empty record:
        no zones, a zeroed common part). Message thread. */
    void loadMulti (int id, MultiEditBuffer& target) const;
};

} // namespace zd8
