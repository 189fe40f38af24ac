#include "model/ObjAlgClass.h"

namespace zd8
{

ObjAlgClass::ObjAlgClass()
    : ObjectStore (typeAlgorithm)
{
    buildEmptyBank (typeAlgorithm);
}

} // namespace zd8
