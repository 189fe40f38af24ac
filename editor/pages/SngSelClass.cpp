#include "editor/pages/SngSelClass.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KmpSelClass::Kind SngSelClass::kindOf {
    ObjectStore::typeSong, ObjectStore::typeSong, '|', ObjectStore::typeSong, false, { 0, 0 }, "Song"
};

SngSelClass::SngSelClass (VantorAudioProcessor& p) : KmpSelClass (p, kindOf)
{
}

} // namespace zd8
