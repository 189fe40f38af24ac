#include "editor/pages/AlgorithmSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const ObjectSelector::Kind AlgorithmSelector::kindOf {
    ObjectStore::typeAlgorithm, 0, 't', 787, false, { -3100, -3000 }, "Algorithm"
};

AlgorithmSelector::AlgorithmSelector (VantorAudioProcessor& p) : ObjectSelector (p, kindOf)
{
}

} // namespace zd8
