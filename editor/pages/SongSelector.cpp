#include "editor/pages/SongSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const ObjectSelector::Kind SongSelector::kindOf {
    ObjectStore::typeSong, ObjectStore::typeSong, '|', ObjectStore::typeSong, false, { 0, 0 }, "Song"
};

SongSelector::SongSelector (VantorAudioProcessor& p) : ObjectSelector (p, kindOf)
{
}

} // namespace zd8
