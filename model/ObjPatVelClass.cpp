#include "model/ObjPatVelClass.h"

namespace zd8
{

ObjPatVelClass::ObjPatVelClass()
    : ObjectStore (typeVelocityPattern)
{
    buildIndex (typeVelocityPattern, emptyBank (typeVelocityPattern, bankSlots), bankSlots - 1);
}

} // namespace zd8
