#include "model/ObjPatVelClass.h"

namespace zd8
{

ObjPatVelClass::ObjPatVelClass()
    : ObjectStore (typeVelocityPattern)
{
    buildEmptyBank (typeVelocityPattern);
}

} // namespace zd8
