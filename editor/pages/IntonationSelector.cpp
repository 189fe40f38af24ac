#include "editor/pages/IntonationSelector.h"

#include "model/ObjectStore.h"

namespace zd8
{

const ObjectSelector::Kind IntonationSelector::kindOf {
    ObjectStore::typeIntonationTable, ObjectStore::typeIntonationTable, 'w', ObjectStore::typeIntonationTable, false, { -3400, -3000 }, "Intonation"
};

IntonationSelector::IntonationSelector (VantorAudioProcessor& p) : ObjectSelector (p, kindOf)
{
}

} // namespace zd8
