#include "editor/pages/AlgSelClass.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KmpSelClass::Kind AlgSelClass::kindOf {
    ObjectStore::typeAlgorithm, 0, 't', 787, false, { -3100, -3000 }, "Algorithm"
};

AlgSelClass::AlgSelClass (VantorAudioProcessor& p) : KmpSelClass (p, kindOf)
{
}

} // namespace zd8
