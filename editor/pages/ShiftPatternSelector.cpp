#include "editor/pages/ShiftPatternSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const ObjectSelector::Kind ShiftPatternSelector::kindOf {
    ObjectStore::typeShiftPattern, ObjectStore::typeShiftPattern, 'x', ObjectStore::typeShiftPattern, false, { -3900, -3000 }, "Shift Pattern"
};

ShiftPatternSelector::ShiftPatternSelector (VantorAudioProcessor& p) : ObjectSelector (p, kindOf)
{
}

} // namespace zd8
