#include "model/ObjPatIntClass.h"

namespace zd8
{

ObjPatIntClass::ObjPatIntClass()
    : ObjectStore (typeIntonationTable)
{
    buildIndex (typeIntonationTable, emptyBank (typeIntonationTable, bankSlots), bankSlots - 1);
}

} // namespace zd8
