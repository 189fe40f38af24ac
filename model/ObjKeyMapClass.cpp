#include "model/ObjKeyMapClass.h"

namespace zd8
{

ObjKeyMapClass::ObjKeyMapClass()
    : ObjectStore (typeKeymap)
{
    buildIndex (typeKeymap, emptyBank (typeKeymap, bankSlots), bankSlots - 1);
}

} // namespace zd8
