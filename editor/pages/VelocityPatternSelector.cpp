#include "editor/pages/VelocityPatternSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const ObjectSelector::Kind VelocityPatternSelector::kindOf {
    ObjectStore::typeVelocityPattern, ObjectStore::typeVelocityPattern, 'y', ObjectStore::typeVelocityPattern, true, { -3500, -3000 }, "Velocity Pattern"
};

VelocityPatternSelector::VelocityPatternSelector (VantorAudioProcessor& p) : ObjectSelector (p, kindOf)
{
}

} // namespace zd8
