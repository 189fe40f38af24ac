#include "model/ObjPatShiftClass.h"

namespace zd8
{

ObjPatShiftClass::ObjPatShiftClass()
    : ObjectStore (typeShiftPattern)
{
    buildEmptyBank (typeShiftPattern);
}

} // namespace zd8
