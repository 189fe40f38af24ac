#include "editor/pages/VelocityPatternSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KeymapSelector::Kind VelocityPatternSelector::kindOf {
    ObjectStore::typeVelocityPattern, ObjectStore::typeVelocityPattern, 'y', ObjectStore::typeVelocityPattern, true, { -3500, -3000 }, "Velocity Pattern"
};

VelocityPatternSelector::VelocityPatternSelector (VantorAudioProcessor& p) : KeymapSelector (p, kindOf)
{
}

} // namespace zd8
