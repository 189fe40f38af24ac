#include "model/ObjPatShiftClass.h"

namespace zd8
{

ObjPatShiftClass::ObjPatShiftClass()
    : ObjectStore (typeShiftPattern)
{
    buildIndex (typeShiftPattern, emptyBank (typeShiftPattern, bankSlots), bankSlots - 1);
}

} // namespace zd8
