#include "editor/pages/PatShSelClass.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KmpSelClass::Kind PatShSelClass::kindOf {
    ObjectStore::typeShiftPattern, ObjectStore::typeShiftPattern, 'x', ObjectStore::typeShiftPattern, false, { -3900, -3000 }, "Shift Pattern"
};

PatShSelClass::PatShSelClass (VantorAudioProcessor& p) : KmpSelClass (p, kindOf)
{
}

} // namespace zd8
