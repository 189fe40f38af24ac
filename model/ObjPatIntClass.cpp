#include "model/ObjPatIntClass.h"

namespace zd8
{

ObjPatIntClass::ObjPatIntClass()
    : ObjectStore (typeIntonationTable)
{
    buildEmptyBank (typeIntonationTable);
}

} // namespace zd8
