#include "editor/pages/PatInSelClass.h"

#include "model/ObjectStore.h"

namespace zd8
{

const KmpSelClass::Kind PatInSelClass::kindOf {
    ObjectStore::typeIntonationTable, ObjectStore::typeIntonationTable, 'w', ObjectStore::typeIntonationTable, false, { -3400, -3000 }, "Intonation"
};

PatInSelClass::PatInSelClass (VantorAudioProcessor& p) : KmpSelClass (p, kindOf)
{
}

} // namespace zd8
