#include "model/ObjAlgClass.h"

namespace zd8
{

ObjAlgClass::ObjAlgClass()
    : ObjectStore (typeAlgorithm)
{
    buildIndex (typeAlgorithm, emptyBank (typeAlgorithm, bankSlots), bankSlots - 1);
}

} // namespace zd8
