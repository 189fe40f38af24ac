// The live section of a project's state, as a host hands it back: never read outside the
// input; what is taken holds one value per slot, each one its slot can hold, a slot
// number inside the bank and a window size of 0 or 100..8192; and what is taken survives
// being written again and read back unchanged.
#include "plugin/ProjectState.h"

#include <cstdint>
#include <cstdlib>

using zd8::ParameterTable;
using zd8::ProjectState;

namespace
{
    void check (bool condition)
    {
        if (! condition)
            abort();
    }

    bool sizeOk (int side) { return side == 0 || (side >= 100 && side <= 8192); }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static ParameterTable table;
    const auto live = ProjectState::readLiveSection (data, size, table);
    if (! live.has_value())
        return 0;

    check (live->values.size() == (size_t) ParameterTable::numSlots);
    check (live->slot >= 0 && live->slot < 64);
    check (sizeOk (live->editorWidth) && sizeOk (live->editorHeight));
    for (int s = 0; s < ParameterTable::numSlots; ++s)
        check (table.holdable (s, live->values[(size_t) s]) == live->values[(size_t) s]);

    const auto again = ProjectState::makeLiveSection (*live);
    const auto reread = ProjectState::readLiveSection (again.getData(), again.getSize(), table);
    check (reread.has_value() && reread->values == live->values && reread->slot == live->slot
           && reread->editorWidth == live->editorWidth && reread->editorHeight == live->editorHeight);
    return 0;
}
