#include "model/ObjKeyMapClass.h"

namespace zd8
{

ObjKeyMapClass::ObjKeyMapClass()
    : ObjectStore (typeKeymap)
{
    buildEmptyBank (typeKeymap);
}

} // namespace zd8
