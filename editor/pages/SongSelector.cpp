#include "editor/pages/SongSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KeymapSelector::Kind SongSelector::kindOf {
    ObjectStore::typeSong, ObjectStore::typeSong, '|', ObjectStore::typeSong, false, { 0, 0 }, "Song"
};

SongSelector::SongSelector (VantorAudioProcessor& p) : KeymapSelector (p, kindOf)
{
}

} // namespace zd8
