#include "editor/pages/PatVlSelClass.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KmpSelClass::Kind PatVlSelClass::kindOf {
    ObjectStore::typeVelocityPattern, ObjectStore::typeVelocityPattern, 'y', ObjectStore::typeVelocityPattern, true, { -3500, -3000 }, "Velocity Pattern"
};

PatVlSelClass::PatVlSelClass (VantorAudioProcessor& p) : KmpSelClass (p, kindOf)
{
}

} // namespace zd8
